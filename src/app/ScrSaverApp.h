#pragma once
// The screen-saver application component: the run mode and host window read from the screen-saver
// command line, the flag that keeps the desktop from blanking while we run, and the system's password
// protocol.
#include <string>
#include <vector>

#include "app/AppPro.h"
#include "platform/SaverSystem.h"

namespace quillaby::app {

enum TSaverMode { smApplication, smSaver, smPreview, smConfig, smChangePassword };

// The run mode for the program file `programPath` (argument 0) and the screen-saver arguments
// (arguments 1, 2, ...): a file ending in ".scr" is the saver file, any other name the executable.
TSaverMode ParseSaverMode(const std::string& programPath, const std::vector<std::string>& arguments);
// The window handle of the arguments (decimal or 0x hex, as large as `rule` allows), else
// `foreground`. Raises quillaby::Error "Invalid window handle ..." for anything else.
platform::WindowHandle ParseHostWindow(const std::vector<std::string>& arguments,
                                       platform::WindowHandle foreground,
                                       const platform::WindowHandleText& rule);
// True when the program file is the saver file (its name ends in ".scr", any case).
bool IsSaverFile(const std::string& programPath);

class TScreenSaverApp : public TCustomGraphicApplicationPro {
  public:
    TScreenSaverApp(TApplication& application, std::string programPath, std::vector<std::string> arguments,
                    platform::SaverSystem& system, platform::Clock& clock = platform::SystemClock());
    ~TScreenSaverApp() override;

    // Mode, single-instance rule, paths and hooks, the lock, the blanking flag, the host window; in
    // the password-change mode the system's dialog runs and the application ends.
    void Initialize() override;

    TSaverMode SaverMode() const { return FSaverMode; }
    platform::WindowHandle HostWindow() const { return FHostWindow; }
    // The window the command line named ("/c:HWND"), 0 when it named none.
    platform::WindowHandle GivenWindow() const { return FGivenWindow; }
    // True when closing may go ahead: no password asked, the library missing, or the password accepted.
    bool VerifyPassword();
    void SetScreenSaverRunning(bool running);
    // The system's password-change dialog, then the end of the application.
    void ChangePassword();

  private:
    std::vector<std::string> FArguments;
    platform::SaverSystem& FSystem;
    TSaverMode FSaverMode = smApplication;
    platform::WindowHandle FHostWindow = 0;
    platform::WindowHandle FGivenWindow = 0;
    bool FInitialized = false;
};

} // namespace quillaby::app
