#include "platform/win32/Win32DisplayWatch.h"

#include <cstring>

namespace quillaby::platform {

namespace {

constexpr const char* WindowClass = "QuillabyDisplayPower";
// GUID_CONSOLE_DISPLAY_STATE, spelled out: the SDK declares it only where INITGUID defines it.
constexpr GUID ConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

} // namespace

Win32DisplayWatch::Win32DisplayWatch() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClass;
    RegisterClassA(&windowClass); // fails harmlessly when a watch before this one registered it
    // A top-level window that is never shown: the notifications go to windows, not to threads.
    FWindow = CreateWindowExA(0, WindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (FWindow == nullptr) return;
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Windows answers the registration with the display's present state.
    FNotify = RegisterPowerSettingNotification(FWindow, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
}

Win32DisplayWatch::~Win32DisplayWatch() {
    if (FNotify != nullptr) UnregisterPowerSettingNotification(FNotify);
    if (FWindow != nullptr) DestroyWindow(FWindow);
}

LRESULT CALLBACK Win32DisplayWatch::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
        auto* watch = reinterpret_cast<Win32DisplayWatch*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (watch != nullptr && IsEqualGUID(setting->PowerSetting, ConsoleDisplayState) &&
            setting->DataLength >= sizeof(DWORD)) {
            DWORD state = 0;
            std::memcpy(&state, setting->Data, sizeof state);
            watch->FState = state;
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace quillaby::platform
