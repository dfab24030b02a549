#include "platform/win32/Win32SaverWindow.h"

#include "platform/win32/WinApi.h"

namespace quillaby::platform {

namespace {

constexpr const char* PreviousProc = "QuillabyPreviousProc";

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, PreviousProc));
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(window, PreviousProc);
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace

void KeepSaverCommands(void* handle) {
    const auto window = static_cast<HWND>(handle);
    if (window == nullptr || GetPropA(window, PreviousProc) != nullptr) return;
    const LONG_PTR previous = GetWindowLongPtrW(window, GWLP_WNDPROC);
    SetPropA(window, PreviousProc, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SaverWindowProc));
}

} // namespace quillaby::platform
