#pragma once
// What the system offers a screen saver: the flag that keeps its own blanking away while we run,
// the window in front, and the screen-saver password protocol.
#include <cstdint>
#include <functional>
#include <memory>

namespace quillaby::platform {

// A window of the system: an X window id, a Windows window handle (0: none).
using WindowHandle = uint64_t;

class SaverSystem {
  public:
    virtual ~SaverSystem() = default;
    // On: the desktop does not blank or lock the display while we run, and a blanking already on is
    // taken down. Off: it may again. Each On is matched by one Off; the desktop may blank after the last.
    virtual void SetScreenSaverRunning(bool running) = 0;
    // The window the user works in, 0 when the system cannot tell.
    virtual WindowHandle ForegroundWindow() = 0;
    // True when the user has asked for the password on leaving the screen saver.
    virtual bool PasswordRequired() = 0;
    // The system's password check (true: accepted), or none when the system has no such library.
    virtual std::function<bool(WindowHandle)> LoadVerifyPassword() = 0;
    // The system's password change, or none when the system has no such library.
    virtual std::function<void(WindowHandle)> LoadChangePassword() = 0;
};

} // namespace quillaby::platform
