#include "platform/x11/X11BlankingHold.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <X11/extensions/scrnsaver.h>

namespace quillaby::platform {

struct X11BlankingHold::State {
    Display* display = nullptr;
    int holds = 0;
};

X11BlankingHold::X11BlankingHold() : state_(std::make_unique<State>()) {}

X11BlankingHold::~X11BlankingHold() {
    if (state_->display != nullptr) XCloseDisplay(state_->display);
}

void X11BlankingHold::Hold() {
    State& s = *state_;
    if (s.holds++ > 0) return;
    s.display = XOpenDisplay(nullptr);
    if (s.display == nullptr) return;
    int event = 0, error = 0, major = 0, minor = 0;
    // Suspending needs version 1.1 of the saver extension; it stops the server's DPMS timers too.
    if (XScreenSaverQueryExtension(s.display, &event, &error) &&
        XScreenSaverQueryVersion(s.display, &major, &minor) && (major > 1 || (major == 1 && minor >= 1)))
        XScreenSaverSuspend(s.display, True);
    // A saver that is on already (a locker starts us as the server's comes on) goes down, and the
    // suspension keeps it down.
    XForceScreenSaver(s.display, ScreenSaverReset);
    if (DPMSQueryExtension(s.display, &event, &error) && DPMSCapable(s.display)) {
        CARD16 level = DPMSModeOn;
        BOOL enabled = False;
        if (DPMSInfo(s.display, &level, &enabled) && enabled && level != DPMSModeOn)
            DPMSForceLevel(s.display, DPMSModeOn);
    }
    XSync(s.display, False);
}

void X11BlankingHold::Release() {
    State& s = *state_;
    if (s.holds == 0 || --s.holds > 0 || s.display == nullptr) return;
    // The server ends a suspension when its connection closes.
    XCloseDisplay(s.display);
    s.display = nullptr;
}

} // namespace quillaby::platform
