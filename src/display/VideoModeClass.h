#pragma once
// The raw list of the display's modes and the calls that test, set and restore one.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/DisplayModes.h"

struct TVideoMode {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BitsPerPixel = 0;
};

class TVideoModesList {
  public:
    explicit TVideoModesList(quillaby::platform::DisplayModes& platform);
    // Brings the desktop mode back if a mode is still set.
    ~TVideoModesList();
    TVideoModesList(const TVideoModesList&) = delete;
    TVideoModesList& operator=(const TVideoModesList&) = delete;

    // The desktop mode, read once; DesktopBits 0 means not read yet.
    int32_t DesktopWidth = 0, DesktopHeight = 0, DesktopBits = 0;
    // The last mode set successfully.
    int32_t ModeWidth = 0, ModeHeight = 0, ModeBits = 0;
    bool ModeChanged = false;

    // Lists the display's modes again: each mode once (refresh rates are not kept), in the
    // platform's order, only those the platform accepts as full-screen modes.
    void Enumerate();
    int Count() const { return static_cast<int>(FModes.size()); }
    TVideoMode Items(int index) const { return FModes.at(static_cast<size_t>(index)); }

    bool TestMode(const quillaby::platform::DisplayModeRecord& mode);
    void DesktopMode(int32_t& width, int32_t& height, int32_t& bits);
    void ReadDesktopMode();
    // True when the display is in that mode now (the desktop's own mode needs no switch).
    bool SetMode(int32_t width, int32_t height, int32_t bits);
    void RestoreMode();

  private:
    void AddMode(const quillaby::platform::DisplayModeRecord& mode);

    quillaby::platform::DisplayModes& FPlatform;
    std::vector<TVideoMode> FModes;
};
