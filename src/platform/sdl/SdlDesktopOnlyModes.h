#pragma once
// A display that offers only the desktop's own mode: full screen is the desktop at its size, and
// nothing is ever switched. It holds SDL's video subsystem for its life.
#include <memory>

#include "platform/DisplayModes.h"

namespace quillaby::platform {

std::unique_ptr<DisplayModes> CreateSdlDesktopOnlyModes();

} // namespace quillaby::platform
