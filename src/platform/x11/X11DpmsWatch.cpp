#include "platform/x11/X11DpmsWatch.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include "platform/x11/X11Dpms.h"
#include "platform/x11/X11ServerEnd.h"

namespace quillaby::platform {

namespace {
// A frame loop resumes within a second of the monitor coming back.
constexpr auto LookPeriod = std::chrono::milliseconds(900);
} // namespace

std::unique_ptr<X11DpmsWatch> X11DpmsWatch::Open() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    int event = 0, error = 0;
    if (!DPMSQueryExtension(display, &event, &error)) {
        XCloseDisplay(display);
        return nullptr;
    }
    // The server's end is for the loop's own connection to report: here the monitor then counts as lit.
    OutliveServer(display);
    return std::unique_ptr<X11DpmsWatch>(new X11DpmsWatch(display));
}

X11DpmsWatch::~X11DpmsWatch() {
    XCloseDisplay(FDisplay);
}

bool X11DpmsWatch::PoweredDown() {
    const auto now = std::chrono::steady_clock::now();
    if (now >= FNextLook) {
        FPoweredDown = ReadDpms(FDisplay).PoweredDown();
        FNextLook = now + LookPeriod;
    }
    return FPoweredDown;
}

} // namespace quillaby::platform
