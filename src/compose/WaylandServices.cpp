#include "compose/WaylandServices.h"

#include <cstdlib>
#include <string>

#include "base/Error.h"
#include "compose/WaylandDisplayModes.h"
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
        return std::make_unique<WaylandDisplayModes>(FBase.CreateDisplayModes());
    }
    std::unique_ptr<EventPump> CreateEventPump() override {
        return std::make_unique<WaylandEventPump>(*FConnection, FBase.CreateEventPump());
    }
    std::unique_ptr<EventPump> CreateHostPreview(WindowHandle host, RgbPicture picture,
                                                 const std::string& title) override {
        return FBase.CreateHostPreview(host, std::move(picture), title);
    }
    std::unique_ptr<SoundPlayer> CreateSoundPlayer() override { return FBase.CreateSoundPlayer(); }
    MonitorRect PrimaryMonitor() override {
        FConnection->Dispatch(0);
        if (const auto primary = FConnection->Outputs().Primary()) return primary->Logical();
        return FBase.PrimaryMonitor();
    }
    std::unique_ptr<OtherMonitors> CreateOtherMonitors(OtherMonitors::Fill fill,
                                                       const std::string& title) override {
        if (!FConnection->LayerShell()) return FBase.CreateOtherMonitors(fill, title);
        LayerSurface* renderWindow = FConnection->IsRegistered(FRenderWindow) ? FRenderWindow : nullptr;
        return std::make_unique<WaylandOtherMonitors>(*FConnection, renderWindow, fill, title,
                                                      LayerSurface::Role::Cover);
    }
    DisplayDensity ReadDisplayDensity() override { return FBase.ReadDisplayDensity(); }
    std::unique_ptr<GLWindow> CreateGLWindow(GLWindowOptions options) override {
        // Without a layer shell (GNOME) SDL's own full-screen windows are the best there is.
        if (!FConnection->LayerShell() || !IsFullScreenRun(options))
            return FBase.CreateGLWindow(std::move(options));
        FConnection->Dispatch(0);
        const auto primary = FConnection->Outputs().Primary();
        auto window = std::make_unique<LayerSurface>(*FConnection, primary ? primary->Global : 0,
                                                     LayerSurface::Role::RenderWindow, options.Title);
        FRenderWindow = window.get();
        return window;
    }
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::string& title, int width, int height,
                                                     bool hidden, int scale, WindowHandle owner) override {
        return FBase.CreateDialogWindow(title, width, height, hidden, scale, owner);
    }
    std::unique_ptr<DisplayPower> WatchDisplayPower() override {
        return std::make_unique<WaylandDisplayPower>(*FConnection);
    }
    std::unique_ptr<VideoHold> HoldVideo() override { return FBase.HoldVideo(); }
    std::unique_ptr<WindowLoop> CreateWindowLoop(GLWindow& window) override {
        return FBase.CreateWindowLoop(window);
    }

  private:
    Services& FBase;
    std::unique_ptr<WaylandConnection> FConnection;
    // The last full-screen render window made: the other outputs' surfaces share its EGL config.
    LayerSurface* FRenderWindow = nullptr;
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
    return std::make_unique<WaylandServices>(base, std::move(connection));
}

} // namespace quillaby::platform
