#pragma once
// What Windows adds to SDL: the monitor's DPI for the dialogs, the pixel format's own word on
// software rendering, and dialogs owned by another program's window (the control panel's).
#include "platform/sdl/SdlDesktop.h"

namespace quillaby::platform {

class WindowsDesktop final : public SdlDesktop {
  public:
    // SDL's own monitor list serves here.
    std::unique_ptr<MonitorWatch> WatchMonitors() override { return nullptr; }
    bool PaintBlack(SDL_Window*) override { return false; }
    bool Place(SDL_Window*, const MonitorRect&) override { return false; }
    // The primary monitor's DPI, where the dialogs open.
    std::optional<double> TextDpi() override;
    bool GenericFormat(SDL_Window* window, const std::string& renderer) override;
    std::unique_ptr<DialogOwnership> OwnDialog(SDL_Window* dialog, WindowHandle owner) override;
    // The DPI the system reports for the monitor the dialog was moved onto (WM_DPICHANGED).
    void FollowDensity(SDL_Window* dialog, DensityMove moved) override;
};

} // namespace quillaby::platform
