#pragma once
// Moves and sizes an SDL window through the X server itself. SDL keeps a full-screen window where
// its own display list says the monitor is, and that list misses a mode another program sets on a
// lit monitor; the server then tells SDL the window's new size as for any other.
#include <SDL.h>

#include "platform/Monitors.h"

namespace quillaby::platform {

// False when the window is not an X11 window.
bool PlaceByServer(SDL_Window* window, const MonitorRect& rect);

} // namespace quillaby::platform
