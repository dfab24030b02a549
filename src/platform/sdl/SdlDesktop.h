#pragma once
// What SDL leaves to the desktop's own window system; each system's composition root fills it in:
// the monitors as the desktop lights them, covers the server keeps black by itself, windows it
// places itself, the resolution the desktop asks text to be drawn at, how it tells a software
// renderer, and windows of other programs owning our dialogs.
#include <SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/DialogOwnership.h"
#include "platform/DisplayDensity.h"
#include "platform/GLSurface.h" // NamesSoftwareRasterizer
#include "platform/Monitors.h"
#include "platform/SaverSystem.h"

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
    // True when windows cannot place themselves (Wayland): a cover then asks to be full screen on
    // its monitor instead of being put over it.
    virtual bool CoversFullScreen() { return false; }
    // Dots per inch, where the desktop says.
    virtual std::optional<double> TextDpi() = 0;
    // True when `window`'s context draws with the system's software renderer; `renderer` is that
    // context's GL_RENDERER string.
    virtual bool GenericFormat(SDL_Window* window, const std::string& renderer) = 0;
    // Makes `owner`, another program's window, own `dialog` and keeps the owner from input while the
    // result lives, as a modal dialog does. Null when the system has no such thing or `owner` is no
    // window.
    virtual std::unique_ptr<DialogOwnership> OwnDialog(SDL_Window* dialog, WindowHandle owner) = 0;
    // The density of a monitor `dialog` was moved onto, and the frame (window and borders, screen
    // pixels) the system suggests for it there.
    using DensityMove = std::function<void(const DisplayDensity& density, const MonitorRect& frame)>;
    // From now on `moved` hears of `dialog` moving onto a monitor of another density, for the window's
    // life, in place of SDL's own handling. Nothing where the system tells no such thing.
    virtual void FollowDensity(SDL_Window* /*dialog*/, DensityMove /*moved*/) {}
};

} // namespace quillaby::platform
