#pragma once
// The display's full-screen modes: list them, test one, switch to one, go back to the desktop's.
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
};

} // namespace quillaby::platform
