#include "platform/x11/X11WindowBackground.h"

#include <SDL_syswm.h>

namespace quillaby::platform {

bool PaintBlackByServer(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* display = info.info.x11.display;
    const ::Window xwindow = info.info.x11.window;
    XSetWindowBackground(display, xwindow, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, xwindow);
    XFlush(display);
    return true;
}

bool RepaintBackground(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    XClearWindow(info.info.x11.display, info.info.x11.window);
    XFlush(info.info.x11.display);
    return true;
}

} // namespace quillaby::platform
