#pragma once
// The display modes in a Wayland session: listed as the SDL layer sees them, never switched (a
// Wayland client cannot change an output's mode); the full-screen surfaces cover each output at
// its own mode.
#include <memory>

#include "platform/DisplayModes.h"

namespace quillaby::platform {

class WaylandDisplayModes final : public DisplayModes {
  public:
    explicit WaylandDisplayModes(std::unique_ptr<DisplayModes> listed) : FListed(std::move(listed)) {}
    bool EnumMode(int index, DisplayModeRecord& mode) override { return FListed->EnumMode(index, mode); }
    bool TestMode(const DisplayModeRecord& mode) override { return FListed->TestMode(mode); }
    bool SetMode(const DisplayModeRecord&) override { return false; }
    void RestoreMode() override {}
    void DesktopMode(int& bitsPerPixel, int& width, int& height) override {
        FListed->DesktopMode(bitsPerPixel, width, height);
    }

  private:
    std::unique_ptr<DisplayModes> FListed;
};

} // namespace quillaby::platform
