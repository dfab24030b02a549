#pragma once
// The X server's end seen on SDL's own connection, for a program whose run lasts as long as the
// session: Xlib then neither ends the process with 1 (its default) nor prints that the connection
// broke; the program's loop reads Ended and closes as it would on a stop signal.
#include <SDL.h>

struct _XDisplay;

namespace quillaby::platform {

class X11ServerEnd {
  public:
    // Watches the connection behind `window`, an SDL window on X11; raises quillaby::Error elsewhere.
    // One at a time: it owns the process's Xlib I/O error handler while it lives.
    explicit X11ServerEnd(SDL_Window* window);
    ~X11ServerEnd();
    X11ServerEnd(const X11ServerEnd&) = delete;
    X11ServerEnd& operator=(const X11ServerEnd&) = delete;

    // The server went away (or the connection to it broke): every later X call does nothing.
    bool Ended() const;
};

// Keeps Xlib from ending the process when the connection `display` (a Display*) breaks; errors on it
// are then quiet and its calls do nothing. For a connection whose answers only inform a loop that
// another connection ends.
void OutliveServer(void* display);

// Makes Xlib's I/O errors quiet for the whole process (its handler is one per process) and returns the
// handler before, for RestoreIOErrors.
using IOErrorHandler = int (*)(_XDisplay*);
IOErrorHandler QuietIOErrors();
void RestoreIOErrors(IOErrorHandler previous);

} // namespace quillaby::platform
