#include "platform/win32/Win32Desktop.h"

namespace quillaby::platform {
namespace {

constexpr unsigned BaseDpi = 96;

// The owner stays disabled while the dialog lives, as the system's modal dialogs keep it.
class OwnerHold final : public DialogOwnership {
  public:
    OwnerHold(HWND dialog, HWND owner) : FDialog(dialog), FOwner(owner) {
        SetWindowLongPtrW(FDialog, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(FOwner));
        FWasEnabled = EnableWindow(FOwner, FALSE) == 0; // returns whether it was disabled before
    }
    ~OwnerHold() override {
        if (FWasEnabled && IsWindow(FOwner)) EnableWindow(FOwner, TRUE);
        if (IsWindow(FDialog)) SetWindowLongPtrW(FDialog, GWLP_HWNDPARENT, 0);
    }
    OwnerHold(const OwnerHold&) = delete;
    OwnerHold& operator=(const OwnerHold&) = delete;

  private:
    HWND FDialog;
    HWND FOwner;
    bool FWasEnabled = false;
};

} // namespace

unsigned MonitorDpi(POINT point) {
    // shcore's GetDpiForMonitor exists from Windows 8.1 on: looked up, so older systems still start.
    using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor = [] {
        HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shcore ? reinterpret_cast<GetDpiForMonitorProc>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor &&
        getDpiForMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY), EffectiveDpi, &x, &y) == S_OK &&
        x > 0)
        return x;
    HDC screen = GetDC(nullptr);
    const int system = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return system > 0 ? static_cast<unsigned>(system) : BaseDpi;
}

bool PixelFormatIsGeneric(HWND window) {
    HDC dc = GetDC(window);
    if (dc == nullptr) return false;
    PIXELFORMATDESCRIPTOR format{};
    const int index = GetPixelFormat(dc);
    const bool generic = index > 0 && DescribePixelFormat(dc, index, sizeof format, &format) != 0 &&
                         (format.dwFlags & PFD_GENERIC_FORMAT) != 0;
    ReleaseDC(window, dc);
    return generic;
}

std::unique_ptr<DialogOwnership> OwnWin32Dialog(HWND dialog, HWND owner) {
    if (dialog == nullptr || owner == nullptr || !IsWindow(owner)) return nullptr;
    return std::make_unique<OwnerHold>(dialog, owner);
}

} // namespace quillaby::platform
