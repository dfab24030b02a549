#include "platform/x11/ForeignWindowWatch.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <atomic>
#include <string>

#include "base/Error.h"

namespace quillaby::platform {

namespace {

// Xlib's error handler is one per process: the state it reports to lives here.
std::atomic<unsigned long> watchedWindow{0};
std::atomic<bool> windowGone{false};
XErrorHandler previousHandler = nullptr;

// Errors about the watched window mean that it went away between two looks; anything else is
// somebody else's business and goes on to the handler that was there before (SDL's, then Xlib's).
int OnXError(Display* display, XErrorEvent* error) {
    const unsigned long window = watchedWindow.load();
    if (window && error->resourceid == window &&
        (error->error_code == BadWindow || error->error_code == BadDrawable ||
         error->error_code == BadMatch)) {
        windowGone = true;
        return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
}

// A connection of our own for a look at the display before SDL draws.
class Connection {
  public:
    Connection() : FDisplay(XOpenDisplay(nullptr)) {
        if (!FDisplay) {
            const char* name = SDL_getenv("DISPLAY");
            throw Error(std::string("Cannot open the X display \"") + (name ? name : "") + "\"");
        }
    }
    ~Connection() { XCloseDisplay(FDisplay); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* operator*() const { return FDisplay; }

  private:
    Display* FDisplay;
};

std::atomic<bool> lookFailed{false};
int NoteError(Display*, XErrorEvent*) {
    lookFailed = true;
    return 0;
}

} // namespace

ForeignWindowWatch::ForeignWindowWatch(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        throw Error(std::string("Drawing into another program's window needs X11: ") + SDL_GetError());
    FWindow = info.info.x11.window;
    Display* display = info.info.x11.display;
    windowGone = false;
    watchedWindow = FWindow;
    previousHandler = XSetErrorHandler(OnXError);
    // Structure events tell SDL the new size and us the destruction; whatever else this connection
    // already asked of the window stays. Input is never asked for: the daemon owns it.
    XWindowAttributes attributes;
    const long mask = XGetWindowAttributes(display, FWindow, &attributes) ? attributes.your_event_mask : 0;
    XSelectInput(display, FWindow, mask | StructureNotifyMask);
    XSync(display, False);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

ForeignWindowWatch::~ForeignWindowWatch() {
    XSetErrorHandler(previousHandler);
    previousHandler = nullptr;
    watchedWindow = 0;
}

void ForeignWindowWatch::Handle(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg->subsystem != SDL_SYSWM_X11) return;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type == DestroyNotify && x.xdestroywindow.window == FWindow) windowGone = true;
}

bool ForeignWindowWatch::Gone() const {
    return windowGone;
}

unsigned long RootWindowOfDisplay() {
    Connection connection;
    return DefaultRootWindow(*connection);
}

bool WindowExists(unsigned long window) {
    Connection connection;
    lookFailed = false;
    const XErrorHandler previous = XSetErrorHandler(NoteError);
    XWindowAttributes attributes;
    const bool found = XGetWindowAttributes(*connection, window, &attributes) != 0;
    XSync(*connection, False);
    XSetErrorHandler(previous);
    return found && !lookFailed;
}

} // namespace quillaby::platform
