#pragma once
// The display's density as SDL and the desktop tell it.
#include "platform/DisplayDensity.h"
#include "platform/sdl/SdlDesktop.h"

namespace quillaby::platform {

DisplayDensity ReadSdlDisplayDensity(SdlDesktop& desktop);

} // namespace quillaby::platform
