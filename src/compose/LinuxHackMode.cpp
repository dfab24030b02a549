#include "compose/LinuxHackMode.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "app/FramePacer.h"
#include "app/FrameRateOverlay.h"
#include "app/SceneSession.h"
#include "platform/InstanceLock.h"
#include "platform/posix/StopSignals.h"
#include "platform/sdl/SdlWindowVisibility.h"
#include "platform/x11/ForeignWindowWatch.h"

namespace quillaby::compose {

namespace {

using app::FrameRateOverlay;
using app::HackOptions;
using app::JobKind;
using app::RunOptions;
using app::SceneSession;
using Clock = std::chrono::steady_clock;

// Held by the one hack of the user's session that plays the sound.
constexpr const char* SoundLockName = "quillabyHackSound";

std::string Hex(unsigned long window) {
    std::ostringstream text;
    text << "0x" << std::hex << window;
    return text.str();
}

// SDL's video subsystem for hack mode, with SDL kept off everything the daemon owns.
class HackVideo {
  public:
    HackVideo() {
        // Signals are ours (StopSignals); the desktop's saver state is the daemon's.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            throw Error(std::string("Hack mode needs an X display: ") + SDL_GetError());
        if (std::string(SDL_GetCurrentVideoDriver()) != "x11") {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            throw Error("Hack mode draws into X windows, but the video driver is \"" +
                        std::string(SDL_GetCurrentVideoDriver()) + "\"");
        }
    }
    ~HackVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
    HackVideo(const HackVideo&) = delete;
    HackVideo& operator=(const HackVideo&) = delete;
};

RunOptions SceneSettingsOf(const HackOptions& hack, bool playSound) {
    RunOptions options;
    options.Job = JobKind::Window;
    options.Theme = hack.Theme;
    if (hack.RandomTheme) {
        std::random_device device;
        options.Theme = std::uniform_int_distribution<int>(0, 2)(device);
    }
    options.Notes = hack.Notes;
    options.Bubbles = hack.Bubbles;
    options.Sound = playSound;
    // A hack shares the machine with others, one per monitor: the cheaper drawing, same picture.
    options.FewerPasses = true;
    options.RenderScale = hack.RenderScale;
    return options;
}

} // namespace

int RunHackMode(const HackOptions& hack) {
    platform::StopSignals stop;
    HackVideo video;
    const unsigned long target = hack.Window ? hack.Window : platform::RootWindowOfDisplay();
    if (!platform::WindowExists(target)) throw Error("There is no window " + Hex(target) + " on the display");

    std::unique_ptr<platform::InstanceLock> soundLock;
    if (hack.Sound) soundLock = platform::TryLockInstance(platform::InstanceLockPath(SoundLockName));
    platform::GLWindowOptions window;
    window.ForeignWindow = target;
    SceneSession session(SceneSettingsOf(hack, soundLock != nullptr), window);
    auto* const sdlWindow = static_cast<SDL_Window*>(session.Window().Native());
    platform::ForeignWindowWatch watch(sdlWindow);
    platform::SdlWindowVisibility visibility(sdlWindow);

    TFrameLoop& loop = session.Loop();
    app::FramePacer pacer(hack.MaxFps);
    FrameRateOverlay overlay;
    if (hack.ShowFrameRate) {
        loop.OnFrameRate([&overlay](int fps) { overlay.SetRate(fps); });
        const platform::GLWindow& surface = session.Window();
        loop.OnBeforePresent(
            [&overlay, &surface] { overlay.Draw(surface.DrawableWidth(), surface.DrawableHeight()); });
    }

    stop.Arm();
    bool hidden = false;
    while (!stop.Requested()) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            watch.Handle(event);
            visibility.Handle(event);
        }
        if (watch.Gone()) break;
        // Nothing is drawn while the window cannot be seen; the wait wakes for the stop signals too.
        if (!visibility.Visible()) {
            hidden = true;
            if (SDL_WaitEventTimeout(&event, 100)) SDL_PushEvent(&event);
            continue;
        }
        if (hidden) { // the unseen time is no step of the scene
            loop.Resume();
            pacer.Restart();
        }
        hidden = false;
        try {
            loop.RenderFrame();
        } catch (const Error&) {
            // A frame that fails because the daemon destroyed the window ends the run quietly.
            if (!watch.Gone()) throw;
        }
        if (watch.Gone()) break;
        // The daemon's delay after every frame, or longer where the cap asks for it.
        const double wait =
            pacer.Wait(std::chrono::duration<double>(Clock::now().time_since_epoch()).count());
        stop.Pause(std::max<long>(hack.DelayMicroseconds, std::lround(wait * 1e6)));
    }
    return 0;
}

} // namespace quillaby::compose
