#pragma once
// What SDL leaves to the desktop's own window system; each system's composition root fills it in:
// the monitors as the desktop lights them, covers the server keeps black by itself, windows it
// places itself, and the resolution the desktop asks text to be drawn at.
#include <SDL.h>

#include <memory>
#include <optional>

#include "platform/Monitors.h"

namespace quillaby::platform {

class SdlDesktop {
  public:
    virtual ~SdlDesktop() = default;
    // Null when SDL's own display list is to serve.
    virtual std::unique_ptr<MonitorWatch> WatchMonitors() = 0;
    // Has the window system paint `window` black whenever it shows again, so that drawing nothing
    // costs nothing; false when it cannot.
    virtual bool PaintBlack(SDL_Window* window) = 0;
    // Moves and sizes `window` through the window system itself: SDL keeps a full-screen window
    // where its own display list says the monitor is, and that list misses a mode another program
    // sets on a lit monitor. False when it cannot.
    virtual bool Place(SDL_Window* window, const MonitorRect& rect) = 0;
    // Dots per inch, where the desktop says.
    virtual std::optional<double> TextDpi() = 0;
};

} // namespace quillaby::platform
