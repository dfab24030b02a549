#pragma once
// What the X server adds to SDL: RandR's monitors, black covers the server paints, windows it
// places, and the desktop's Xft.dpi. Each asks the server only while SDL's video driver is "x11".
#include "platform/sdl/SdlDesktop.h"

namespace quillaby::platform {

class LinuxDesktop final : public SdlDesktop {
  public:
    std::unique_ptr<MonitorWatch> WatchMonitors() override;
    bool PaintBlack(SDL_Window* window) override;
    bool Place(SDL_Window* window, const MonitorRect& rect) override;
    bool CoversFullScreen() override;
    std::optional<double> TextDpi() override;
    bool GenericFormat(SDL_Window*, const std::string& renderer) override {
        return NamesSoftwareRasterizer(renderer);
    }
    // A dialog for an X window stays an ordinary top-level window.
    std::unique_ptr<DialogOwnership> OwnDialog(SDL_Window*, WindowHandle) override { return nullptr; }
};

} // namespace quillaby::platform
