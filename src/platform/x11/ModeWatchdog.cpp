#include "platform/x11/ModeWatchdog.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace quillaby::platform {
namespace {

// A mode by its timings: the server may number its modes anew when a client probes the outputs.
struct ModeTimings {
    unsigned width = 0, height = 0;
    unsigned long dotClock = 0;
    unsigned hTotal = 0, vTotal = 0;
    bool operator==(const ModeTimings&) const = default;
};

ModeTimings TimingsOf(const XRRScreenResources* res, RRMode id) {
    for (int i = 0; i < res->nmode; ++i)
        if (res->modes[i].id == id) {
            const XRRModeInfo& m = res->modes[i];
            return {m.width, m.height, m.dotClock, m.hTotal, m.vTotal};
        }
    return {};
}

// The mode of those timings now, else one of that size; None for a CRTC that was off.
RRMode FindMode(const XRRScreenResources* res, const ModeTimings& t) {
    if (t.width == 0) return None;
    RRMode sameSize = None;
    for (int i = 0; i < res->nmode; ++i) {
        const XRRModeInfo& m = res->modes[i];
        if (ModeTimings{m.width, m.height, m.dotClock, m.hTotal, m.vTotal} == t) return m.id;
        if (sameSize == None && m.width == t.width && m.height == t.height) sameSize = m.id;
    }
    return sameSize;
}

struct CrtcState {
    RRCrtc crtc;
    ModeTimings mode;
    int x, y;
    Rotation rotation;
    std::vector<RROutput> outputs;
};

struct ScreenState {
    int width, height, mmWidth, mmHeight;
    std::vector<CrtcState> crtcs;
};

bool Record(Display* display, ScreenState& state) {
    const int screen = DefaultScreen(display);
    state = {DisplayWidth(display, screen),
             DisplayHeight(display, screen),
             DisplayWidthMM(display, screen),
             DisplayHeightMM(display, screen),
             {}};
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(display, RootWindow(display, screen));
    if (res == nullptr) return false;
    for (int i = 0; i < res->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, res, res->crtcs[i]);
        if (info == nullptr) continue;
        state.crtcs.push_back({res->crtcs[i], TimingsOf(res, info->mode), info->x, info->y, info->rotation,
                               std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
        XRRFreeCrtcInfo(info);
    }
    XRRFreeScreenResources(res);
    return true;
}

// The screen grows to hold both configurations, the CRTCs take their old modes, then the screen
// takes its old size: every step is a configuration the server accepts.
void Restore(Display* display, const ScreenState& old) {
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    XGrabServer(display);
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(display, root);
    if (res != nullptr) {
        // The root's size now (Xlib's DisplayWidth is the size at connection time).
        Window r;
        int x, y;
        unsigned width = 0, height = 0, border, depth;
        XGetGeometry(display, root, &r, &x, &y, &width, &height, &border, &depth);
        const int w = std::max(old.width, static_cast<int>(width));
        const int h = std::max(old.height, static_cast<int>(height));
        if (w != static_cast<int>(width) || h != static_cast<int>(height))
            XRRSetScreenSize(display, root, w, h, old.mmWidth, old.mmHeight);
        for (const auto& c : old.crtcs) {
            const RRMode mode = FindMode(res, c.mode);
            if (mode == None && c.mode.width != 0) continue; // that mode is gone: nothing to go back to
            XRRCrtcInfo* now = XRRGetCrtcInfo(display, res, c.crtc);
            const bool same = now != nullptr && now->mode == mode && now->x == c.x && now->y == c.y &&
                              now->rotation == c.rotation;
            if (now != nullptr) XRRFreeCrtcInfo(now);
            if (same) continue;
            std::vector<RROutput> outputs = c.outputs;
            XRRSetCrtcConfig(display, res, c.crtc, CurrentTime, c.x, c.y, mode,
                             c.rotation != 0 ? c.rotation : RR_Rotate_0, outputs.data(),
                             static_cast<int>(outputs.size()));
        }
        if (w != old.width || h != old.height)
            XRRSetScreenSize(display, root, old.width, old.height, old.mmWidth, old.mmHeight);
        XRRFreeScreenResources(res);
    }
    XUngrabServer(display);
    XSync(display, False);
}

// A request the server refuses must not end the child before the rest is put back.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// A server that has gone away took its modes with it: nothing is left to put back. Xlib's own handler
// would call exit(), running the program's exit handlers in this forked copy, where its GL driver's
// wait for threads that do not exist here, for ever.
int EndWithServer(Display*) {
    _exit(0);
}

// The child: private X connection, desktop recorded, then the program's news until it is gone.
[[noreturn]] void Watch(int socket) {
    for (const int sig : {SIGINT, SIGHUP, SIGTERM, SIGQUIT, SIGPIPE}) signal(sig, SIG_IGN);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
        dup2(devnull, 0);
        dup2(devnull, 1);
    }
    // Nothing of the program stays open here but the socket (and stderr): in particular not its X
    // connection, whose closing tells the server the program is gone.
    if (socket != 3) {
        dup2(socket, 3);
        socket = 3;
    }
    close_range(4, ~0u, 0);

    XSetErrorHandler(IgnoreError);
    XSetIOErrorHandler(EndWithServer);
    Display* display = XOpenDisplay(nullptr);
    int event, error;
    ScreenState desktop;
    const char ready =
        display != nullptr && XRRQueryExtension(display, &event, &error) && Record(display, desktop) ? 'r'
                                                                                                     : 'x';
    if (write(socket, &ready, 1) != 1 || ready != 'r') _exit(1);

    bool switched = false;
    for (;;) {
        char state;
        const ssize_t n = read(socket, &state, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        switched = state == 'S';
    }
    if (switched) Restore(display, desktop);
    XCloseDisplay(display);
    _exit(0);
}

} // namespace

std::unique_ptr<ModeWatchdog> ModeWatchdog::Start() {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return nullptr;
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return nullptr;
    }
    if (child == 0) {
        close(fds[0]);
        Watch(fds[1]);
    }
    close(fds[1]);
    // Wait until the desktop is recorded (the child reports within milliseconds; 5 s is a dead X
    // server).
    pollfd p{fds[0], POLLIN, 0};
    char ready = 0;
    if (poll(&p, 1, 5000) != 1 || read(fds[0], &ready, 1) != 1 || ready != 'r') {
        close(fds[0]);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return nullptr;
    }
    return std::unique_ptr<ModeWatchdog>(new ModeWatchdog(fds[0], child));
}

ModeWatchdog::~ModeWatchdog() {
    close(FSocket);
    waitpid(FChild, nullptr, 0);
}

void ModeWatchdog::Tell(char state) {
    while (send(FSocket, &state, 1, MSG_NOSIGNAL) < 0 && errno == EINTR) {
    }
}

void ModeWatchdog::Switched() {
    Tell('S');
}
void ModeWatchdog::Restored() {
    Tell('R');
}

} // namespace quillaby::platform
