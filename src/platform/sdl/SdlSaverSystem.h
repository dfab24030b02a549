#pragma once
// The system's side of a screen saver through SDL.
#include <memory>

#include "platform/BlankingHold.h"
#include "platform/SaverSystem.h"

namespace quillaby::platform {

// The blanking flag holds `blanking` (the display server's own saver and power levels) off. There is
// no system password library here: the desktop's own screen locker owns passwords, so the protocol
// always finds the library missing.
std::unique_ptr<SaverSystem> CreateSdlSaverSystem(std::unique_ptr<BlankingHold> blanking);

} // namespace quillaby::platform
