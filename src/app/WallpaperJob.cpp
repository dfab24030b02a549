#include "app/WallpaperJob.h"

#include <string>

#include "app/FramePacer.h"
#include "app/SceneSession.h"
#include "base/Error.h"
#include "platform/InstanceLock.h"

namespace quillaby::app {
namespace {

// The session's one wallpaper holds this lock (not the saver's, nor the idle watcher's).
constexpr const char* kLockName = "quillabyWallpaper";
// While resting on battery the loop looks at the power supply this often, milliseconds: it draws again
// well within a second of the charger coming back.
constexpr int kRestSliceMs = 250;

constexpr const char* kNeeds =
    "--wallpaper needs a Wayland session whose compositor has a layer shell (sway, "
    "Hyprland, river, KDE) or an X11 session";

// Raised before anything is made: a refused run changes nothing.
void CheckSupport(platform::Services& services) {
    switch (services.CanDrawWallpaper()) {
    case platform::WallpaperSupport::Supported:
        return;
    case platform::WallpaperSupport::NoLayerShell:
        throw UsageError(std::string(kNeeds) + "; this compositor has none");
    case platform::WallpaperSupport::XWaylandRoot:
        throw UsageError(std::string(kNeeds) + "; this X server is XWayland, whose root window nobody sees");
    case platform::WallpaperSupport::DesktopWindow:
        throw UsageError("--wallpaper draws on the X11 root window, but the desktop covers it with a window "
                         "of its own (_NET_WM_WINDOW_TYPE_DESKTOP: desktop icons); turn the desktop's icons "
                         "off to use it");
    case platform::WallpaperSupport::NoSession:
        break;
    }
    throw UsageError(std::string(kNeeds) + "; this session has neither");
}

} // namespace

int RunWallpaperJob(const RunOptions& options, platform::Services& services, std::FILE* log) {
    CheckSupport(services);
    const auto lock = platform::LockInstance(kLockName);
    if (!lock) {
        std::fprintf(log, "quillaby: a wallpaper is already running in this session\n");
        return 0;
    }
    platform::GLWindowOptions window;
    window.Title = "Quillaby";
    window.Wallpaper = true;
    SceneSession session(options, window, std::nullopt, services);
    TFrameLoop& loop = session.Loop();
    const auto others = services.CreateOtherMonitors(platform::OtherMonitors::Fill::Scene, window.Title);
    const auto events = services.CreateWindowLoop(session.Window());
    FramePacer pacer(options.MaxFps);
    const auto power = options.RestOnBattery ? services.WatchPowerSource() : nullptr;
    if (options.MaxFps > 0)
        std::fprintf(log, "quillaby: wallpaper at most %d frames a second, drawn at %d%%\n", options.MaxFps,
                     options.RenderScale);
    else
        std::fprintf(log, "quillaby: wallpaper at the outputs' own frame rate, drawn at %d%%\n",
                     options.RenderScale);
    std::fflush(log);
    std::string ending;
    bool resting = false;
    bool drawn = false; // started on battery, it rests once the outputs have a picture
    try {
        for (;;) {
            if (drawn && power && power->OnBattery()) {
                if (!resting) {
                    std::fprintf(log, "quillaby: on battery: the wallpaper rests\n");
                    std::fflush(log);
                    resting = true;
                }
                if (events->Rest(kRestSliceMs) == platform::WindowLoop::Next::End) break;
                // An output that came meanwhile gets one frame rather than none.
                if (others->Follow()) {
                    loop.SetMoreSurfaces(others->SceneSurfaces());
                    loop.Resume();
                    loop.RenderFrame();
                }
                continue;
            }
            const platform::WindowLoop::Next next = events->Pump();
            if (next == platform::WindowLoop::Next::End) break;
            if (next == platform::WindowLoop::Next::FrameAfterPause || resting) {
                loop.Resume();
                pacer.Restart();
            }
            if (resting) {
                std::fprintf(log, "quillaby: on mains: the wallpaper draws again\n");
                std::fflush(log);
                resting = false;
            }
            if (others->Follow()) loop.SetMoreSurfaces(others->SceneSurfaces());
            loop.RenderFrame();
            drawn = true;
            pacer.Pace();
        }
        ending = events->Ending();
    } catch (const DisplayLost& e) {
        // The session ending takes the compositor with it: the wallpaper's normal end.
        ending = e.what();
    }
    if (!ending.empty()) std::fprintf(log, "quillaby: the wallpaper ends: %s\n", ending.c_str());
    return 0;
}

} // namespace quillaby::app
