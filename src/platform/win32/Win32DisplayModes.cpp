// Display modes through the display settings of the primary display. A switch is made with
// CDS_FULLSCREEN, a temporary change that Windows undoes when the process ends; we also restore it
// ourselves when the object goes (Wine does not undo it at the end of the process).
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

class Win32DisplayModes final : public DisplayModes {
  public:
    ~Win32DisplayModes() override {
        if (FSwitched) RestoreMode();
    }

    bool EnumMode(int index, DisplayModeRecord& mode) override {
        DEVMODEA record{};
        record.dmSize = sizeof record;
        if (!EnumDisplaySettingsA(nullptr, static_cast<DWORD>(index), &record)) return false;
        mode.Width = static_cast<int>(record.dmPelsWidth);
        mode.Height = static_cast<int>(record.dmPelsHeight);
        mode.BitsPerPixel = static_cast<int>(record.dmBitsPerPel);
        mode.RefreshRate = static_cast<int>(record.dmDisplayFrequency);
        return true;
    }

    bool TestMode(const DisplayModeRecord& mode) override {
        DEVMODEA record = Record(mode);
        return ChangeDisplaySettingsA(&record, CDS_TEST | CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }

    bool SetMode(const DisplayModeRecord& mode) override {
        DEVMODEA record = Record(mode);
        if (ChangeDisplaySettingsA(&record, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
        FSwitched = true;
        return true;
    }

    void RestoreMode() override {
        ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
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
};

} // namespace

std::unique_ptr<DisplayModes> CreateWin32DisplayModes() {
    return std::make_unique<Win32DisplayModes>();
}

} // namespace quillaby::platform
