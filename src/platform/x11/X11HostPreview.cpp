#include "platform/x11/X11HostPreview.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <cstdlib>
#include <cstring>

#include "base/Error.h"
#include "platform/posix/StopSignals.h"

namespace quillaby::platform {
namespace {

// The last X protocol error; Xlib's default handler would end the process instead.
int lastXError = 0;
int RecordError(Display*, XErrorEvent* event) {
    lastXError = event->error_code;
    return 0;
}

int ShiftOf(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int BitsOf(unsigned long mask) {
    int bits = 0;
    for (; mask != 0; mask >>= 1) bits += static_cast<int>(mask & 1);
    return bits;
}

// One 8-bit channel placed into a visual's channel mask.
unsigned long Channel(uint32_t value8, unsigned long mask) {
    const int bits = BitsOf(mask);
    return (static_cast<unsigned long>(value8 >> (8 - bits)) << ShiftOf(mask)) & mask;
}

std::string Hex(WindowHandle id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
    return text;
}

} // namespace

struct X11HostPreview::State {
    Display* display = nullptr;
    ::Window host = 0; // 0: our window is a top-level one
    ::Window window = 0;
    Atom deleteWindow = 0;
    int width = 0;
    int height = 0;
    RgbPicture picture;
    bool gone = false;
    StopSignals stop; // SIGTERM and SIGINT end the preview like its host's end

    void Draw() {
        if (width <= 0 || height <= 0 || picture.Width <= 0 || picture.Height <= 0) return;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes)) return;
        Visual* visual = attributes.visual;
        if (visual->c_class != TrueColor && visual->c_class != DirectColor) return; // black stays
        XImage* image =
            XCreateImage(display, visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0, nullptr,
                         static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (image == nullptr) return;
        image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * height));
        if (image->data == nullptr) {
            XDestroyImage(image);
            return;
        }
        // Stretched to the window, nearest source pixel.
        for (int y = 0; y < height; ++y) {
            const int sy = static_cast<int>(static_cast<long long>(y) * picture.Height / height);
            for (int x = 0; x < width; ++x) {
                const int sx = static_cast<int>(static_cast<long long>(x) * picture.Width / width);
                const uint32_t rgb = picture.Pixels[static_cast<size_t>(sy) * picture.Width + sx];
                XPutPixel(image, x, y,
                          Channel((rgb >> 16) & 0xFF, visual->red_mask) |
                              Channel((rgb >> 8) & 0xFF, visual->green_mask) |
                              Channel(rgb & 0xFF, visual->blue_mask));
            }
        }
        XPutImage(display, window, DefaultGC(display, DefaultScreen(display)), image, 0, 0, 0, 0,
                  static_cast<unsigned>(width), static_cast<unsigned>(height));
        XDestroyImage(image); // frees the pixels too
        XFlush(display);
    }
};

X11HostPreview::X11HostPreview(WindowHandle host, RgbPicture picture, const std::string& title)
    : FState(std::make_unique<State>()) {
    State& s = *FState;
    s.stop.Arm();
    s.picture = std::move(picture);
    s.display = XOpenDisplay(nullptr);
    if (s.display == nullptr)
        throw Error("The preview needs an X display: cannot open \"" +
                    std::string(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") + "\"");
    XSetErrorHandler(RecordError);
    const int screen = DefaultScreen(s.display);
    s.host = static_cast<::Window>(host);
    ::Window parent = RootWindow(s.display, screen);
    if (s.host != 0) {
        XWindowAttributes attributes;
        lastXError = 0;
        if (!XGetWindowAttributes(s.display, s.host, &attributes) || lastXError != 0) {
            XCloseDisplay(s.display);
            throw Error("Invalid window handle " + Hex(host) + ": there is no such window");
        }
        parent = s.host;
        s.width = attributes.width;
        s.height = attributes.height;
        // The host's size changes and its end reach us.
        XSelectInput(s.display, s.host, StructureNotifyMask);
    } else {
        s.width = 2 * s.picture.Width;
        s.height = 2 * s.picture.Height;
    }
    s.window = XCreateSimpleWindow(s.display, parent, 0, 0, static_cast<unsigned>(std::max(s.width, 1)),
                                   static_cast<unsigned>(std::max(s.height, 1)), 0, 0,
                                   BlackPixel(s.display, screen));
    XSelectInput(s.display, s.window, ExposureMask | StructureNotifyMask);
    if (s.host == 0) {
        XStoreName(s.display, s.window, title.c_str());
        s.deleteWindow = XInternAtom(s.display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(s.display, s.window, &s.deleteWindow, 1);
    }
    XMapWindow(s.display, s.window);
    XFlush(s.display);
}

X11HostPreview::~X11HostPreview() {
    State& s = *FState;
    if (!s.gone) XDestroyWindow(s.display, s.window);
    XCloseDisplay(s.display);
}

WindowHandle X11HostPreview::Window() const {
    return FState->window;
}

bool X11HostPreview::Poll(InputEvent& event) {
    State& s = *FState;
    event = InputEvent{};
    if (s.gone || s.stop.Requested()) {
        event.Type = InputEvent::Kind::Quit;
        return true;
    }
    if (XPending(s.display) == 0) return false;
    XEvent e;
    XNextEvent(s.display, &e);
    switch (e.type) {
    case Expose:
        if (e.xexpose.window == s.window && e.xexpose.count == 0) s.Draw();
        break;
    case ConfigureNotify:
        if (e.xconfigure.window == s.host)
            XResizeWindow(s.display, s.window, static_cast<unsigned>(std::max(e.xconfigure.width, 1)),
                          static_cast<unsigned>(std::max(e.xconfigure.height, 1)));
        else if (e.xconfigure.window == s.window) {
            s.width = e.xconfigure.width;
            s.height = e.xconfigure.height;
            s.Draw();
        }
        break;
    case DestroyNotify:
        if (e.xdestroywindow.window == s.host || e.xdestroywindow.window == s.window) {
            s.gone = true;
            event.Type = InputEvent::Kind::Quit;
        }
        break;
    case ClientMessage:
        if (static_cast<Atom>(e.xclient.data.l[0]) == s.deleteWindow) event.Type = InputEvent::Kind::Close;
        break;
    default:
        break;
    }
    return true;
}

void X11HostPreview::Wait() {
    State& s = *FState;
    if (s.gone || XPending(s.display) > 0) return;
    // The stop signals stay blocked but inside the wait, so one cannot slip in before it starts.
    sigset_t stops;
    sigset_t previous;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigprocmask(SIG_BLOCK, &stops, &previous);
    pollfd fd{ConnectionNumber(s.display), POLLIN, 0};
    while (!s.stop.Requested() && ppoll(&fd, 1, nullptr, &previous) < 0 && errno == EINTR) {
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace quillaby::platform
