// The Linux build's services: SDL for windows, input, sound and message boxes, Xlib for the host
// window's preview, settings files for the registry, the hack mode of XScreenSaver, GNOME's monitor
// power and UPower's power supply over D-Bus; in a Wayland session, layer-shell surfaces of our own for
// the full-screen runs; in an X11 session the wallpaper on the root window.
#include <SDL.h>

#include <cstdlib>

#include "compose/LinuxDesktop.h"
#include "compose/LinuxHackMode.h"
#include "compose/SdlWindowServices.h"
#include "compose/SystemModes.h"
#include "compose/WaylandServices.h"
#include "compose/X11WallpaperLoop.h"
#include "platform/Services.h"
#include "platform/dbus/MutterPowerSave.h"
#include "platform/dbus/UPowerSource.h"
#include "platform/posix/StopSignals.h"
#include "platform/sdl/SdlDisplayModes.h"
#include "platform/sdl/SdlDisplayPower.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlSaverSystem.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "platform/x11/ForeignWindowWatch.h"
#include "platform/x11/ModeWatchdog.h"
#include "platform/x11/X11BlankingHold.h"
#include "platform/x11/X11DpmsWatch.h"
#include "platform/x11/X11HostPreview.h"
#include "platform/x11/X11RootCover.h"
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
    // The X server's DPMS (an X11 session) or mutter's power saving (GNOME, on Wayland too): the
    // monitors are down when either says so; either may be missing.
    std::unique_ptr<DisplayPower> WatchDisplayPower() override {
        std::shared_ptr<X11DpmsWatch> dpms = X11DpmsWatch::Open();
        std::shared_ptr<MutterPowerSave> mutter = MutterPowerSave::Open();
        if (!dpms && !mutter) return CreateSdlDisplayPower(nullptr);
        return CreateSdlDisplayPower(
            [dpms, mutter] { return (dpms && dpms->PoweredDown()) || (mutter && mutter->PoweredDown()); });
    }
    // The root window, where the desktop leaves it bare. Only looked at: a refused run changes nothing.
    WallpaperSupport CanDrawWallpaper() override {
        const RootCover cover = LookAtRootCover();
        if (!cover.Display) return WallpaperSupport::NoSession;
        if (cover.XWayland) return WallpaperSupport::XWaylandRoot;
        return cover.DesktopWindow ? WallpaperSupport::DesktopWindow : WallpaperSupport::Supported;
    }
    std::unique_ptr<GLWindow> CreateGLWindow(GLWindowOptions options) override {
        if (!options.Wallpaper) return SdlWindowServices::CreateGLWindow(std::move(options));
        // Before SDL's video starts, so that SDL leaves the signals to us; a signal while the
        // wallpaper starts up ends it at once, with 0.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        FWallpaperStop = std::make_unique<StopSignals>();
        options.ForeignWindow = RootWindowOfDisplay();
        auto window = SdlWindowServices::CreateGLWindow(std::move(options));
        FWallpaper = window.get();
        return window;
    }
    std::unique_ptr<OtherMonitors> CreateOtherMonitors(OtherMonitors::Fill fill,
                                                       const std::string& title) override {
        if (FWallpaper) return std::make_unique<RootSpansMonitors>();
        return SdlWindowServices::CreateOtherMonitors(fill, title);
    }
    std::unique_ptr<WindowLoop> CreateWindowLoop(GLWindow& window) override {
        if (&window != FWallpaper || !FWallpaperStop) return SdlWindowServices::CreateWindowLoop(window);
        return std::make_unique<X11WallpaperLoop>(static_cast<SDL_Window*>(window.Native()),
                                                  std::move(FWallpaperStop),
                                                  DisplayPause(WatchDisplayPower()));
    }
    // UPower on the system bus, where there is one (not in a container, nor on many desktop machines).
    std::unique_ptr<PowerSource> WatchPowerSource() override { return UPowerSource::Open(); }

  private:
    // The root window as the wallpaper's, once made: the process's one job, for its whole life.
    GLWindow* FWallpaper = nullptr;
    std::unique_ptr<StopSignals> FWallpaperStop; // from the wallpaper's window to its loop
};

// The Wayland services in a Wayland session. Otherwise null, and SDL draws through the X server or
// not at all: its offscreen fallback, taken when the display cannot be opened, would pass for a
// desktop without a single usable mode. A driver the environment names (the snapshot's) still wins.
std::unique_ptr<Services> ChooseSession(Services& x11) {
    std::unique_ptr<Services> wayland = ChooseWaylandServices(x11);
    if (!wayland) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    return wayland;
}

} // namespace

Services& SystemServices() {
    static LinuxDesktop desktop;
    static LinuxServices services(desktop);
    static const std::unique_ptr<Services> wayland = ChooseSession(services);
    return wayland ? *wayland : services;
}

std::unique_ptr<RegistryKey> OpenRegistryKey(RegistryRoot root, const std::string& company,
                                             const std::string& title, bool readOnly) {
    return TSettingsFileKey::Open(root, company, title, readOnly);
}

} // namespace quillaby::platform

namespace quillaby::compose {

std::optional<int> RunSystemMode(int argc, char** argv) {
    // Every run starts here, before SDL's video. Unless told otherwise SDL suspends the X server's
    // saver and DPMS and asks a Wayland compositor for an idle inhibitor, as a game would; no run of
    // ours, not even the scene in a window all evening, may keep the desktop from blanking.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    const auto hack = app::ParseHackCommandLine(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    if (!hack) return std::nullopt;
    return RunHackMode(*hack);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv, argv + argc}; // bytes as the user typed them
}

} // namespace quillaby::compose
