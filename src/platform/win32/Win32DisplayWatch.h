#pragma once
// Whether Windows has the display turned off, as its power notifications tell a window of our own
// (GUID_CONSOLE_DISPLAY_STATE: off, on, dimmed). The window belongs to the thread that makes the
// object, whose message loop (SDL's) delivers the notifications.
#include "platform/win32/WinApi.h"

namespace quillaby::platform {

class Win32DisplayWatch {
  public:
    Win32DisplayWatch();
    ~Win32DisplayWatch();
    Win32DisplayWatch(const Win32DisplayWatch&) = delete;
    Win32DisplayWatch& operator=(const Win32DisplayWatch&) = delete;

    // True while the display is off; a dimmed display is on. On until the system says otherwise.
    bool PoweredDown() const { return FState == 0; }
    // The hidden window the notifications go to; null when it could not be made.
    HWND Window() const { return FWindow; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND FWindow = nullptr;
    HPOWERNOTIFY FNotify = nullptr;
    DWORD FState = 1; // 0 off, 1 on, 2 dimmed
};

} // namespace quillaby::platform
