#include "platform/x11/X11Monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace quillaby::platform {

std::unique_ptr<X11Monitors> X11Monitors::Open() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 2)) {
        XCloseDisplay(display);
        return nullptr;
    }
    XRRSelectInput(display, DefaultRootWindow(display),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    return std::unique_ptr<X11Monitors>(new X11Monitors(display, eventBase));
}

X11Monitors::~X11Monitors() {
    XCloseDisplay(static_cast<Display*>(FDisplay));
}

bool X11Monitors::Changed() {
    auto* display = static_cast<Display*>(FDisplay);
    bool changed = false;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XRRUpdateConfiguration(&event); // keeps Xlib's idea of the screen size current
        changed =
            changed || event.type == FEventBase + RRScreenChangeNotify || event.type == FEventBase + RRNotify;
    }
    return changed;
}

std::vector<MonitorRect> X11Monitors::Rectangles() {
    auto* display = static_cast<Display*>(FDisplay);
    std::vector<MonitorRect> monitors;
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (res == nullptr) return monitors;
    for (int i = 0; i < res->ncrtc; ++i) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, res, res->crtcs[i]);
        if (crtc == nullptr) continue;
        // Width and height already turned by the CRTC's rotation.
        const MonitorRect rect{crtc->x, crtc->y, static_cast<int>(crtc->width),
                               static_cast<int>(crtc->height)};
        if (crtc->mode != None && crtc->noutput > 0 && rect.Width > 0 && rect.Height > 0 &&
            std::find(monitors.begin(), monitors.end(), rect) == monitors.end())
            monitors.push_back(rect);
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(res);
    return monitors;
}

} // namespace quillaby::platform
