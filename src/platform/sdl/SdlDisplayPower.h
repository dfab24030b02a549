#pragma once
// The monitors' power as the system reports it, with SDL's event queue to wait on.
#include <functional>
#include <memory>

#include "platform/DisplayPower.h"

namespace quillaby::platform {

// `poweredDown` tells whether the system has the monitors powered down; none: always lit.
std::unique_ptr<DisplayPower> CreateSdlDisplayPower(std::function<bool()> poweredDown);

} // namespace quillaby::platform
