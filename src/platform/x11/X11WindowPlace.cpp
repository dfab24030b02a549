#include "platform/x11/X11WindowPlace.h"

#include <SDL_syswm.h>

namespace quillaby::platform {

bool PlaceByServer(SDL_Window* window, const MonitorRect& rect) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    if (rect.Width <= 0 || rect.Height <= 0) return false;
    Display* display = info.info.x11.display;
    XMoveResizeWindow(display, info.info.x11.window, rect.X, rect.Y, static_cast<unsigned>(rect.Width),
                      static_cast<unsigned>(rect.Height));
    XFlush(display);
    return true;
}

} // namespace quillaby::platform
