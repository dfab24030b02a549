// The Linux build's services: SDL for windows, input, sound and message boxes, Xlib for the host
// window's preview, settings files for the registry, and the hack mode of XScreenSaver; in a
// Wayland session, layer-shell surfaces of our own for the full-screen runs.
#include <cstdlib>

#include "compose/LinuxDesktop.h"
#include "compose/LinuxHackMode.h"
#include "compose/SdlWindowServices.h"
#include "compose/SystemModes.h"
#include "compose/WaylandServices.h"
#include "platform/Services.h"
#include "platform/sdl/SdlDisplayModes.h"
#include "platform/sdl/SdlDisplayPower.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlSaverSystem.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "platform/x11/ModeWatchdog.h"
#include "platform/x11/X11BlankingHold.h"
#include "platform/x11/X11DpmsWatch.h"
#include "platform/x11/X11HostPreview.h"
#include "ui/SettingsFileKey.h"

namespace quillaby::platform {
namespace {

class LinuxServices final : public SdlWindowServices {
  public:
    using SdlWindowServices::SdlWindowServices;
    std::unique_ptr<MessageBox> CreateMessageBox(bool interactive) override {
        return CreateSdlMessageBox(interactive);
    }
    // SDL's video on X11: the X server's own blanking is held off, and a watchdog process restores
    // the desktop's mode should the program die switched.
    std::unique_ptr<SaverSystem> CreateSaverSystem() override {
        return CreateSdlSaverSystem(std::make_unique<X11BlankingHold>());
    }
    std::unique_ptr<DisplayModes> CreateDisplayModes() override {
        return std::make_unique<SdlDisplayModes>([] { return ModeWatchdog::Start(); });
    }
    std::unique_ptr<EventPump> CreateHostPreview(WindowHandle host, RgbPicture picture,
                                                 const std::string& title) override {
        return std::make_unique<X11HostPreview>(host, std::move(picture), title);
    }
    std::unique_ptr<SoundPlayer> CreateSoundPlayer() override { return CreateSdlSoundPlayer(); }
    std::unique_ptr<DisplayPower> WatchDisplayPower() override {
        std::shared_ptr<X11DpmsWatch> dpms = X11DpmsWatch::Open();
        if (!dpms) return CreateSdlDisplayPower(nullptr);
        return CreateSdlDisplayPower([dpms] { return dpms->PoweredDown(); });
    }
};

} // namespace

Services& SystemServices() {
    static LinuxDesktop desktop;
    static LinuxServices services(desktop);
    static const std::unique_ptr<Services> wayland = ChooseWaylandServices(services);
    return wayland ? *wayland : services;
}

std::unique_ptr<RegistryKey> OpenRegistryKey(RegistryRoot root, const std::string& company,
                                             const std::string& title, bool readOnly) {
    return TSettingsFileKey::Open(root, company, title, readOnly);
}

} // namespace quillaby::platform

namespace quillaby::compose {

std::optional<int> RunSystemMode(int argc, char** argv) {
    const auto hack = app::ParseHackCommandLine(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    if (!hack) return std::nullopt;
    return RunHackMode(*hack);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv, argv + argc}; // bytes as the user typed them
}

} // namespace quillaby::compose
