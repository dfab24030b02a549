// Display modes through the display settings of the primary display. A switch is made with
// CDS_FULLSCREEN, a temporary change that Windows undoes when the process ends; we also restore it
// ourselves when the object goes (Wine does not undo it at the end of the process).
#include <optional>

#include "platform/win32/Win32Layer.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {
namespace {

DEVMODEA Record(const DisplayModeRecord& mode) {
    DEVMODEA record{};
    record.dmSize = sizeof record;
    record.dmPelsWidth = static_cast<DWORD>(mode.Width);
    record.dmPelsHeight = static_cast<DWORD>(mode.Height);
    record.dmBitsPerPel = static_cast<DWORD>(mode.BitsPerPixel);
    record.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return record;
}

// The primary display's mode of that number (or ENUM_CURRENT_SETTINGS), if there is one.
std::optional<DisplayModeRecord> ReadMode(DWORD number) {
    DEVMODEA record{};
    record.dmSize = sizeof record;
    if (!EnumDisplaySettingsA(nullptr, number, &record)) return std::nullopt;
    DisplayModeRecord mode;
    mode.Width = static_cast<int>(record.dmPelsWidth);
    mode.Height = static_cast<int>(record.dmPelsHeight);
    mode.BitsPerPixel = static_cast<int>(record.dmBitsPerPel);
    mode.RefreshRate = static_cast<int>(record.dmDisplayFrequency);
    return mode;
}

bool SameMode(const DisplayModeRecord& a, const DisplayModeRecord& b) {
    return a.Width == b.Width && a.Height == b.Height && a.BitsPerPixel == b.BitsPerPixel;
}

class Win32DisplayModes final : public DisplayModes {
  public:
    ~Win32DisplayModes() override {
        if (FSwitched) RestoreMode();
    }

    bool EnumMode(int index, DisplayModeRecord& mode) override {
        const std::optional<DisplayModeRecord> found = ReadMode(static_cast<DWORD>(index));
        if (found) mode = *found;
        return found.has_value();
    }

    bool TestMode(const DisplayModeRecord& mode) override {
        DEVMODEA record = Record(mode);
        return ChangeDisplaySettingsA(&record, CDS_TEST | CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }

    bool SetMode(const DisplayModeRecord& mode) override {
        if (!FSwitched) FDesktop = ReadMode(ENUM_CURRENT_SETTINGS); // the mode to come back to
        DEVMODEA record = Record(mode);
        if (ChangeDisplaySettingsA(&record, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
        FSwitched = true;
        return true;
    }

    void RestoreMode() override {
        ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
        // Under Wine the default mode can be the one switched to (seen on a busy machine, Wine's desktop
        // process starting meanwhile): then the mode found before the switch is set by name.
        if (FSwitched && FDesktop) {
            const std::optional<DisplayModeRecord> now = ReadMode(ENUM_CURRENT_SETTINGS);
            DEVMODEA record = Record(*FDesktop);
            if (now && !SameMode(*now, *FDesktop)) ChangeDisplaySettingsA(&record, CDS_FULLSCREEN);
        }
        FSwitched = false;
    }

    void DesktopMode(int& bitsPerPixel, int& width, int& height) override {
        HDC screen = GetDC(nullptr);
        bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }

  private:
    bool FSwitched = false;
    std::optional<DisplayModeRecord> FDesktop; // before the first switch
};

} // namespace

std::unique_ptr<DisplayModes> CreateWin32DisplayModes() {
    return std::make_unique<Win32DisplayModes>();
}

} // namespace quillaby::platform
