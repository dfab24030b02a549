#include "compose/WindowsDesktop.h"

#include <SDL_syswm.h>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32DialogDpi.h"

namespace quillaby::platform {
namespace {

HWND HwndOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS)
        return nullptr;
    return info.info.win.window;
}

} // namespace

std::optional<double> WindowsDesktop::TextDpi() {
    return MonitorDpi(POINT{0, 0});
}

bool WindowsDesktop::GenericFormat(SDL_Window* window, const std::string&) {
    // The renderer's name says nothing here: "GDI Generic" is one name among the system's, and a
    // driver may wrap a software rasterizer in a format of its own.
    const HWND hwnd = HwndOf(window);
    return hwnd != nullptr && PixelFormatIsGeneric(hwnd);
}

std::unique_ptr<DialogOwnership> WindowsDesktop::OwnDialog(SDL_Window* dialog, WindowHandle owner) {
    return OwnWin32Dialog(HwndOf(dialog), ToHwnd(owner));
}

void WindowsDesktop::FollowDensity(SDL_Window* dialog, DensityMove moved) {
    FollowDpiChanges(HwndOf(dialog), [moved = std::move(moved)](const DpiMove& move) {
        DisplayDensity density;
        density.DesktopDpi = move.Dpi;
        density.Width = move.Monitor.right - move.Monitor.left;
        density.Height = move.Monitor.bottom - move.Monitor.top;
        const RECT& r = move.Suggested;
        moved(density, MonitorRect{r.left, r.top, r.right - r.left, r.bottom - r.top});
    });
}

} // namespace quillaby::platform
