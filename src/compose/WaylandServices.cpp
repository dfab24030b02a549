#include "compose/WaylandServices.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "base/Error.h"
#include "compose/WaylandDisplayModes.h"
#include "compose/WaylandWallpaperLoop.h"
#include "platform/DisplayModes.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"
#include "platform/wayland/LayerSurface.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandDisplayPower.h"
#include "platform/wayland/WaylandEventPump.h"
#include "platform/wayland/WaylandOtherMonitors.h"

namespace quillaby::platform {
namespace {

// A full-screen run's render window asks for these; every other window is an ordinary one.
bool IsFullScreenRun(const GLWindowOptions& options) {
    return !options.Host && !options.ForeignWindow && options.SaverInput && options.Borderless &&
           options.AlwaysOnTop;
}

class WaylandServices final : public Services {
  public:
    WaylandServices(Services& base, std::unique_ptr<WaylandConnection> connection)
        : FBase(base), FConnection(std::move(connection)) {}

    std::unique_ptr<MessageBox> CreateMessageBox(bool interactive) override {
        return FBase.CreateMessageBox(interactive);
    }
    // No idle inhibitor is ever made: the desktop's later idle steps (the monitor's power) still come.
    std::unique_ptr<SaverSystem> CreateSaverSystem() override { return FBase.CreateSaverSystem(); }
    std::unique_ptr<DisplayModes> CreateDisplayModes() override {
        return std::make_unique<WaylandDisplayModes>(FBase.CreateDisplayModes(), !OwnSurfaces());
    }
    std::unique_ptr<EventPump> CreateEventPump() override {
        if (!OwnSurfaces()) return FBase.CreateEventPump();
        return std::make_unique<WaylandEventPump>(*FConnection, FBase.CreateEventPump());
    }
    std::unique_ptr<EventPump> CreateHostPreview(WindowHandle host, RgbPicture picture,
                                                 const std::string& title) override {
        return FBase.CreateHostPreview(host, std::move(picture), title);
    }
    std::unique_ptr<SoundPlayer> CreateSoundPlayer() override { return FBase.CreateSoundPlayer(); }
    MonitorRect PrimaryMonitor() override {
        // SDL's windows cover the others as SDL's display list has them.
        if (!OwnSurfaces()) return FBase.PrimaryMonitor();
        FConnection->Dispatch(0);
        if (const auto primary = FConnection->Outputs().Primary()) return primary->Logical();
        return FBase.PrimaryMonitor();
    }
    std::unique_ptr<OtherMonitors> CreateOtherMonitors(OtherMonitors::Fill fill,
                                                       const std::string& title) override {
        if (!OwnSurfaces()) return FBase.CreateOtherMonitors(fill, title);
        LayerSurface* renderWindow = FConnection->IsRegistered(FRenderWindow) ? FRenderWindow : nullptr;
        // A wallpaper's other outputs get wallpapers too.
        const bool wallpaper = renderWindow && renderWindow->LayerRole() == LayerSurface::Role::Wallpaper;
        return std::make_unique<WaylandOtherMonitors>(*FConnection, renderWindow, fill, title,
                                                      wallpaper ? LayerSurface::Role::Wallpaper
                                                                : LayerSurface::Role::Cover);
    }
    DisplayDensity ReadDisplayDensity() override { return FBase.ReadDisplayDensity(); }
    std::unique_ptr<GLWindow> CreateGLWindow(GLWindowOptions options) override {
        // Without a layer shell (GNOME) SDL's own full-screen windows are the best there is.
        const bool wallpaper = options.Wallpaper && OwnSurfaces();
        if (!wallpaper && (!OwnSurfaces() || !IsFullScreenRun(options)))
            return FBase.CreateGLWindow(std::move(options));
        FConnection->Dispatch(0);
        const auto primary = FConnection->Outputs().Primary();
        auto window = std::make_unique<LayerSurface>(
            *FConnection, primary ? primary->Global : 0,
            wallpaper ? LayerSurface::Role::Wallpaper : LayerSurface::Role::RenderWindow, options.Title);
        FRenderWindow = window.get();
        // A wallpaper stopped while it starts up ends at once, with 0 (see its loop).
        if (wallpaper) FWallpaperStop = std::make_unique<StopSignals>();
        return window;
    }
    WallpaperSupport CanDrawWallpaper() override {
        return OwnSurfaces() ? WallpaperSupport::Supported : WallpaperSupport::NoLayerShell;
    }
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::string& title, int width, int height,
                                                     bool hidden, int scale, WindowHandle owner) override {
        return FBase.CreateDialogWindow(title, width, height, hidden, scale, owner);
    }
    std::unique_ptr<DisplayPower> WatchDisplayPower() override {
        if (!OwnSurfaces()) return FBase.WatchDisplayPower();
        return std::make_unique<WaylandDisplayPower>(*FConnection);
    }
    std::unique_ptr<PowerSource> WatchPowerSource() override { return FBase.WatchPowerSource(); }
    std::unique_ptr<VideoHold> HoldVideo() override { return FBase.HoldVideo(); }
    std::unique_ptr<WindowLoop> CreateWindowLoop(GLWindow& window) override {
        if (FConnection->IsRegistered(FRenderWindow) && FRenderWindow == &window &&
            FRenderWindow->LayerRole() == LayerSurface::Role::Wallpaper)
            return std::make_unique<WaylandWallpaperLoop>(
                *FConnection, FWallpaperStop ? std::move(FWallpaperStop) : std::make_unique<StopSignals>());
        return FBase.CreateWindowLoop(window);
    }

  private:
    // A layer shell lets the full-screen runs draw on surfaces of our own.
    bool OwnSurfaces() const { return FConnection->LayerShell() != nullptr; }

    Services& FBase;
    std::unique_ptr<WaylandConnection> FConnection;
    // The last full-screen render window made: the other outputs' surfaces share its EGL config.
    LayerSurface* FRenderWindow = nullptr;
    std::unique_ptr<StopSignals> FWallpaperStop; // from the wallpaper's window to its loop
};

} // namespace

std::unique_ptr<Services> ChooseWaylandServices(Services& base) {
    const char* forced = std::getenv("QUILLABY_VIDEO");
    const std::string video = forced ? forced : "";
    if (video == "x11") return nullptr;
    auto connection = WaylandConnection::Connect();
    if (!connection) {
        if (video == "wayland")
            throw Error("QUILLABY_VIDEO is \"wayland\" but no Wayland compositor answers");
        return nullptr;
    }
    // Without a layer shell SDL's windows cover the outputs, and only its Wayland driver puts each
    // on its own output (through XWayland all would land on the focused one).
    if (!connection->LayerShell() && !std::getenv("SDL_VIDEODRIVER"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
    return std::make_unique<WaylandServices>(base, std::move(connection));
}

} // namespace quillaby::platform
