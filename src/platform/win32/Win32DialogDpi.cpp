#include "platform/win32/Win32DialogDpi.h"

namespace quillaby::platform {
namespace {

constexpr const char* PreviousProc = "QuillabyDpiPreviousProc";
constexpr const char* Handler = "QuillabyDpiHandler";
constexpr UINT DpiChanged = 0x02E0;       // WM_DPICHANGED
constexpr UINT GetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE

using MoveHandler = std::function<void(const DpiMove&)>;

LRESULT CALLBACK DpiWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, PreviousProc));
    auto* moved = static_cast<MoveHandler*>(GetPropA(window, Handler));
    // FALSE: the system scales the frame by the ratio of the DPIs, which is the whole factors' ratio
    // between whole multiples of 96 (SDL's answer would keep the pixel size).
    if (message == GetDpiScaledSize) return FALSE;
    if (message == DpiChanged && moved != nullptr && lParam != 0) {
        DpiMove move;
        move.Dpi = LOWORD(wParam);
        move.Suggested = *reinterpret_cast<const RECT*>(lParam);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(MonitorFromRect(&move.Suggested, MONITOR_DEFAULTTONEAREST), &info))
            move.Monitor = info.rcMonitor;
        (*moved)(move);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(window, PreviousProc);
        RemovePropA(window, Handler);
        delete moved;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace

void FollowDpiChanges(HWND window, std::function<void(const DpiMove&)> moved) {
    if (window == nullptr || GetPropA(window, PreviousProc) != nullptr) return;
    SetPropA(window, Handler, new MoveHandler(std::move(moved)));
    const LONG_PTR previous = GetWindowLongPtrW(window, GWLP_WNDPROC);
    SetPropA(window, PreviousProc, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DpiWindowProc));
}

} // namespace quillaby::platform
