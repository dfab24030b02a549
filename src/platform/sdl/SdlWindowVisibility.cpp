#include "platform/sdl/SdlWindowVisibility.h"

#include <SDL_syswm.h>

#ifdef SDL_VIDEO_DRIVER_X11
#include <X11/Xlib.h>
#endif

namespace quillaby::platform {

SdlWindowVisibility::SdlWindowVisibility(SDL_Window* window)
    : FWindowId(SDL_GetWindowID(window)), FShown((SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN) == 0),
      FMinimised((SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0) {
#ifdef SDL_VIDEO_DRIVER_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        // Keep SDL's own event mask and add visibility changes; they arrive as SDL_SYSWMEVENT.
        XWindowAttributes attributes;
        if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) {
            XSelectInput(info.info.x11.display, info.info.x11.window,
                         attributes.your_event_mask | VisibilityChangeMask);
            SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
            FX11Window = info.info.x11.window;
        }
    }
#endif
}

bool SdlWindowVisibility::Handle(const SDL_Event& event) {
    const bool was = Visible();
    if (event.type == SDL_WINDOWEVENT && event.window.windowID == FWindowId) {
        switch (event.window.event) {
        case SDL_WINDOWEVENT_HIDDEN:
            FShown = false;
            break;
        case SDL_WINDOWEVENT_SHOWN:
            FShown = true;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            FMinimised = true;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            FMinimised = false;
            break;
        default:
            break;
        }
    }
#ifdef SDL_VIDEO_DRIVER_X11
    if (FX11Window != 0 && event.type == SDL_SYSWMEVENT && event.syswm.msg->subsystem == SDL_SYSWM_X11) {
        const XEvent& x = event.syswm.msg->msg.x11.event;
        if (x.type == VisibilityNotify && x.xvisibility.window == FX11Window)
            FCovered = x.xvisibility.state == VisibilityFullyObscured;
    }
#endif
    return Visible() != was;
}

} // namespace quillaby::platform
