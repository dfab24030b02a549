#pragma once
// What Windows adds to SDL: the monitor's DPI for the dialogs, the pixel format's own word on
// software rendering, and dialogs owned by another program's window (the control panel's).
#include "platform/sdl/SdlDesktop.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {

class Win32Desktop final : public SdlDesktop {
  public:
    // SDL's own monitor list serves here.
    std::unique_ptr<MonitorWatch> WatchMonitors() override { return nullptr; }
    bool PaintBlack(SDL_Window*) override { return false; }
    bool Place(SDL_Window*, const MonitorRect&) override { return false; }
    // The primary monitor's DPI, where the dialogs open.
    std::optional<double> TextDpi() override;
    bool GenericFormat(SDL_Window* window, const std::string& renderer) override;
    std::unique_ptr<DialogOwnership> OwnDialog(SDL_Window* dialog, WindowHandle owner) override;
};

// The DPI of the monitor at `point` (GetDpiForMonitor's effective DPI on Windows 8.1 and later, else
// the system's); what the system reports to a process that is aware of it.
unsigned MonitorDpi(POINT point);

// True when the pixel format set on `window`'s device context has PFD_GENERIC_FORMAT: the system's
// own software OpenGL ("GDI Generic"). False when it has none.
bool PixelFormatIsGeneric(HWND window);

// `owner` owns `dialog` and is disabled until the result ends, then enabled again; null when `owner`
// is no window.
std::unique_ptr<DialogOwnership> OwnWin32Dialog(HWND dialog, HWND owner);

} // namespace quillaby::platform
