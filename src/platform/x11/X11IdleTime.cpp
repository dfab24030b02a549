#include "platform/x11/X11IdleTime.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

#include "platform/x11/X11ServerEnd.h"

namespace quillaby::platform {
namespace {
// At most one question a second: the watcher costs the server nothing it would notice.
constexpr auto kLookPeriod = std::chrono::milliseconds(1000);
} // namespace

std::unique_ptr<X11IdleTime> X11IdleTime::Open(int idleMilliseconds) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    int event = 0, error = 0;
    if (!XScreenSaverQueryExtension(display, &event, &error)) {
        XCloseDisplay(display);
        return nullptr;
    }
    // The server's end is the session's, which the watcher reports and ends on itself: Xlib must
    // neither end the process (its default) nor say the connection broke.
    OutliveServer(display);
    auto source = std::unique_ptr<X11IdleTime>(new X11IdleTime(display, idleMilliseconds));
    source->FOldIOError = QuietIOErrors();
    return source;
}

X11IdleTime::~X11IdleTime() {
    XCloseDisplay(FDisplay);
    RestoreIOErrors(FOldIOError);
}

int X11IdleTime::Descriptor() const {
    return FGone ? -1 : ConnectionNumber(FDisplay);
}

int X11IdleTime::TimeoutMilliseconds() const {
    if (FGone) return -1;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(FNextLook - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

bool X11IdleTime::Closed() const {
    // Nothing is ever asked for on this connection but the idle time, so anything readable while
    // no reply is due is the server's end (or an event, which Xlib then reads).
    char byte = 0;
    const ssize_t got = recv(ConnectionNumber(FDisplay), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

void X11IdleTime::Dispatch(std::vector<IdleEvent>& events) {
    if (FGone) return;
    if (Closed()) {
        FGone = true;
        events.push_back(IdleEvent::SessionGone);
        return;
    }
    while (XPending(FDisplay) > 0) {
        XEvent ignored;
        XNextEvent(FDisplay, &ignored);
    }
    const auto now = std::chrono::steady_clock::now();
    if (now < FNextLook) return;
    FNextLook = now + kLookPeriod;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (info == nullptr) return;
    if (XScreenSaverQueryInfo(FDisplay, DefaultRootWindow(FDisplay), info)) {
        const bool idle = info->idle >= static_cast<unsigned long>(FIdleMilliseconds);
        if (idle != FIdle) events.push_back(idle ? IdleEvent::Idle : IdleEvent::Active);
        FIdle = idle;
    }
    XFree(info);
}

} // namespace quillaby::platform
