#pragma once
// The display modes in a Wayland session: listed as the SDL layer sees them, never switched (a
// Wayland client cannot change an output's mode); the full-screen surfaces cover each output at
// its own mode. Where SDL's own windows are the full-screen ones (no layer shell), the modes
// underneath make them full screen over the desktop.
#include <memory>

#include "platform/DisplayModes.h"

namespace quillaby::platform {

class WaylandDisplayModes final : public DisplayModes {
  public:
    WaylandDisplayModes(std::unique_ptr<DisplayModes> listed, bool sdlWindows)
        : FListed(std::move(listed)), FSdlWindows(sdlWindows) {}
    bool EnumMode(int index, DisplayModeRecord& mode) override { return FListed->EnumMode(index, mode); }
    bool TestMode(const DisplayModeRecord& mode) override { return FListed->TestMode(mode); }
    bool SetMode(const DisplayModeRecord&) override { return false; }
    void RestoreMode() override {}
    void DesktopMode(int& bitsPerPixel, int& width, int& height) override {
        FListed->DesktopMode(bitsPerPixel, width, height);
    }
    bool AttachWindow(const GLWindow& window) override {
        return !FSdlWindows || FListed->AttachWindow(window);
    }
    void DetachWindow() override {
        if (FSdlWindows) FListed->DetachWindow();
    }

  private:
    std::unique_ptr<DisplayModes> FListed;
    bool FSdlWindows;
};

} // namespace quillaby::platform
