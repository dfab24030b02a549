// The Windows build's services: the system's own calls (registry, display settings, PlaySound,
// message boxes, the host window's child) and SDL for the windows, the GL context and input.
#include <SDL.h>

#include "compose/SdlWindowServices.h"
#include "compose/SystemModes.h"
#include "compose/WindowsDesktop.h"
#include "platform/Services.h"
#include "platform/sdl/SdlDisplayPower.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32DisplayWatch.h"
#include "platform/win32/Win32Layer.h"
#include "platform/win32/Win32RegistryKey.h"
#include "platform/win32/Win32SaverWindow.h"

namespace quillaby::platform {
namespace {

class WindowsServices final : public SdlWindowServices {
  public:
    using SdlWindowServices::SdlWindowServices;
    std::unique_ptr<MessageBox> CreateMessageBox(bool interactive) override {
        return CreateWin32MessageBox(interactive);
    }
    std::unique_ptr<SaverSystem> CreateSaverSystem() override { return CreateWin32SaverSystem(); }
    std::unique_ptr<DisplayModes> CreateDisplayModes() override { return CreateWin32DisplayModes(); }
    std::unique_ptr<EventPump> CreateHostPreview(WindowHandle host, RgbPicture picture,
                                                 const std::string& title) override {
        return CreateWin32HostPreview(host, std::move(picture), title);
    }
    std::unique_ptr<SoundPlayer> CreateSoundPlayer() override { return CreateWin32SoundPlayer(); }
    std::unique_ptr<DisplayPower> WatchDisplayPower() override {
        auto watch = std::make_shared<Win32DisplayWatch>();
        return CreateSdlDisplayPower([watch] { return watch->PoweredDown(); });
    }

  protected:
    // The saver's windows answer the system's commands as the system's savers do.
    SaverWindowSetup SetupSaverWindow() override { return KeepSaverCommands; }
};

} // namespace

Services& SystemServices() {
    static WindowsDesktop desktop;
    static WindowsServices services(desktop);
    return services;
}

std::unique_ptr<RegistryKey> OpenRegistryKey(RegistryRoot root, const std::string& company,
                                             const std::string& title, bool readOnly) {
    return std::make_unique<Win32RegistryKey>(root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE
                                                                                 : HKEY_CURRENT_USER,
                                              OptionsKeyPath(company, title), readOnly);
}

} // namespace quillaby::platform

namespace quillaby::compose {

// The hack mode of X screen-saver daemons has no counterpart here. Every run starts here, before SDL's
// video: unless told otherwise SDL asks Windows to keep the display on (SetThreadExecutionState with
// ES_DISPLAY_REQUIRED) and swallows SC_MONITORPOWER and SC_SCREENSAVE, and no run of a screen saver
// may keep the display or the machine awake: the power plan's times stay the user's.
std::optional<int> RunSystemMode(int, char**) {
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    return std::nullopt;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    std::vector<std::string> arguments = platform::CommandLineArguments();
    if (arguments.empty()) arguments.assign(argv, argv + argc);
    return arguments;
}

} // namespace quillaby::compose
