#pragma once
// The display the full-screen window covers: its desktop mode and the mode in use. This stand-in
// keeps the desktop's mode; a full-screen run covers the desktop at its own size.
#include <memory>

namespace quillaby::platform {

struct ScreenMode {
    int Width = 0;      // pixels
    int Height = 0;     // pixels
    int ColorDepth = 0; // bits a pixel occupies: 8-8-8 true colour in 32-bit pixels counts as 32
};

class DesktopDisplay {
  public:
    virtual ~DesktopDisplay() = default;
    virtual ScreenMode DesktopMode() = 0;
    // The full-screen mode while FullScreen, the desktop mode otherwise.
    virtual ScreenMode CurrentMode() = 0;
    virtual void SetFullScreen(bool on) = 0;
    virtual bool FullScreen() const = 0;
};

// The first display as SDL sees it; needs SDL's video subsystem.
std::unique_ptr<DesktopDisplay> CreateSdlDesktopDisplay();

} // namespace quillaby::platform
