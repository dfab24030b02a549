#include "platform/win32/Win32Desktop.h"

#include <SDL_syswm.h>

namespace quillaby::platform {
namespace {

constexpr unsigned BaseDpi = 96;

HWND HwndOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS)
        return nullptr;
    return info.info.win.window;
}

// The owner stays disabled while the dialog lives, as the system's modal dialogs keep it.
class OwnerHold final : public DialogOwnership {
  public:
    OwnerHold(HWND dialog, HWND owner) : dialog_(dialog), owner_(owner) {
        SetWindowLongPtrW(dialog_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_));
        wasEnabled_ = EnableWindow(owner_, FALSE) == 0; // returns whether it was disabled before
    }
    ~OwnerHold() override {
        if (wasEnabled_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
        if (IsWindow(dialog_)) SetWindowLongPtrW(dialog_, GWLP_HWNDPARENT, 0);
    }
    OwnerHold(const OwnerHold&) = delete;
    OwnerHold& operator=(const OwnerHold&) = delete;

  private:
    HWND dialog_;
    HWND owner_;
    bool wasEnabled_ = false;
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

std::optional<double> Win32Desktop::TextDpi() {
    return MonitorDpi(POINT{0, 0});
}

bool Win32Desktop::GenericFormat(SDL_Window* window, const std::string&) {
    // The renderer's name says nothing here: "GDI Generic" is one name among the system's, and a
    // driver may wrap a software rasterizer in a format of its own.
    const HWND hwnd = HwndOf(window);
    return hwnd != nullptr && PixelFormatIsGeneric(hwnd);
}

std::unique_ptr<DialogOwnership> Win32Desktop::OwnDialog(SDL_Window* dialog, WindowHandle owner) {
    return OwnWin32Dialog(HwndOf(dialog), ToHwnd(owner));
}

} // namespace quillaby::platform
