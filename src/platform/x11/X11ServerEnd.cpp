#include "platform/x11/X11ServerEnd.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <atomic>
#include <string>

#include "base/Error.h"

namespace quillaby::platform {
namespace {

// Xlib's I/O error handler is one per process: the state it reports to lives here.
std::atomic<bool> serverEnded{false};
IOErrorHandler previousHandler = nullptr;

int QuietIOError(Display*) {
    return 0;
}
void NoteServerEnd(Display*, void*) {
    serverEnded = true;
}
void StayAfterIOError(Display*, void*) {}

} // namespace

X11ServerEnd::X11ServerEnd(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        throw Error(std::string("Watching the X server needs an X11 window: ") + SDL_GetError());
    serverEnded = false;
    XSetIOErrorExitHandler(info.info.x11.display, NoteServerEnd, nullptr);
    previousHandler = QuietIOErrors();
}

X11ServerEnd::~X11ServerEnd() {
    // After the end Xlib's own handler would still speak up as SDL closes the dead connection.
    if (!serverEnded) RestoreIOErrors(previousHandler);
}

bool X11ServerEnd::Ended() const {
    return serverEnded;
}

void OutliveServer(void* display) {
    XSetIOErrorExitHandler(static_cast<Display*>(display), StayAfterIOError, nullptr);
}

IOErrorHandler QuietIOErrors() {
    return XSetIOErrorHandler(QuietIOError);
}

void RestoreIOErrors(IOErrorHandler previous) {
    XSetIOErrorHandler(previous);
}

} // namespace quillaby::platform
