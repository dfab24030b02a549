#pragma once
// The display's full-screen modes: list them, test one, switch to one, go back to the desktop's.
#include "platform/GLWindow.h"

namespace quillaby::platform {

struct DisplayModeRecord {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0; // 16, 32 ...; a 4-byte true-colour pixel counts as 32
    int RefreshRate = 0;  // Hz, 0 when unknown
};

class DisplayModes {
  public:
    virtual ~DisplayModes() = default;
    // Mode index of the primary display; false past the last one, and then mode is left as it was.
    virtual bool EnumMode(int index, DisplayModeRecord& mode) = 0;
    // Whether the display could show mode full screen; switches nothing.
    virtual bool TestMode(const DisplayModeRecord& mode) = 0;
    // Switches the primary display to mode for the full-screen window; false when it cannot.
    virtual bool SetMode(const DisplayModeRecord& mode) = 0;
    // Back to the desktop's own mode.
    virtual void RestoreMode() = 0;
    // The desktop's mode as the user set it.
    virtual void DesktopMode(int& bitsPerPixel, int& width, int& height) = 0;

    // The full-screen window, for systems that switch modes through it; false when the mode set
    // could not be applied to it (the window then covers the desktop).
    virtual bool AttachWindow(const GLWindow& /*window*/) { return true; }
    // Before the window goes: a system that switched through it lets go of the mode.
    virtual void DetachWindow() {}
};

} // namespace quillaby::platform
