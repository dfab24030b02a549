#pragma once
// What the system offers a screen saver: the flag that keeps its own blanking away while we run,
// the window in front, and the screen-saver password protocol.
#include <cstdint>
#include <functional>
#include <memory>

namespace quillaby::platform {

// A window of the system: an X window id, a Windows window handle (0: none).
using WindowHandle = uint64_t;

// How the system's command line writes a window handle: decimal (or 0x hex) up to `Largest`, and
// what a message about a handle that is no such number asks for instead.
struct WindowHandleText {
    uint64_t Largest;
    const char* Expected;
};
// X resource ids have 29 bits.
constexpr WindowHandleText XWindowIds{0x1FFFFFFF, "give an X window id, decimal or 0x hexadecimal"};
// Windows passes a window's handle in decimal; handles have 32 significant bits.
constexpr WindowHandleText Win32WindowHandles{0xFFFFFFFF,
                                              "give a window handle, a decimal number from 0 to 4294967295"};

class SaverSystem {
  public:
    virtual ~SaverSystem() = default;
    // On: the desktop does not blank or lock the display while we run, and a blanking already on is
    // taken down. Off: it may again. Each On is matched by one Off; the desktop may blank after the last.
    virtual void SetScreenSaverRunning(bool running) = 0;
    // The window the user works in, 0 when the system cannot tell.
    virtual WindowHandle ForegroundWindow() = 0;
    // How this system's command line writes window handles.
    virtual WindowHandleText HandleText() const = 0;
    // True when the user has asked for the password on leaving the screen saver.
    virtual bool PasswordRequired() = 0;
    // The system's password check (true: accepted), or none when the system has no such library.
    virtual std::function<bool(WindowHandle)> LoadVerifyPassword() = 0;
    // The system's password change, or none when the system has no such library.
    virtual std::function<void(WindowHandle)> LoadChangePassword() = 0;
};

// The blanking flag holds the X server's own saver and DPMS blanking off. There is no system password
// library here: the desktop's own screen locker owns passwords, so the protocol always finds the
// library missing.
std::unique_ptr<SaverSystem> CreateSdlSaverSystem();

} // namespace quillaby::platform
