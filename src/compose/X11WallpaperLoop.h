#pragma once
// The wallpaper in an X11 session: the scene drawn on the root window, which spans every monitor and
// lies under every window, as a screen-saver hack's -root run draws. Its loop takes no input and
// never touches the server's saver or DPMS (the idle time keeps growing); it rests while the monitors
// are powered down, and ends on SIGTERM or SIGINT, or with the server; the root's own background then
// shows again.
#include <SDL.h>

#include <memory>
#include <string>

#include "platform/DisplayPower.h"
#include "platform/OtherMonitors.h"
#include "platform/WindowLoop.h"
#include "platform/posix/StopSignals.h"
#include "platform/x11/ForeignWindowWatch.h"
#include "platform/x11/X11ServerEnd.h"

namespace quillaby::platform {

class X11WallpaperLoop final : public WindowLoop {
  public:
    // `window` is the root, made through SDL with GLWindowOptions::ForeignWindow, and outlives the
    // loop. `stop`, installed before SDL's video started (so SDL leaves the signals alone), is armed
    // here: from now on a signal ends the loop instead of the process.
    X11WallpaperLoop(SDL_Window* window, std::unique_ptr<StopSignals> stop, DisplayPause pause);
    ~X11WallpaperLoop() override;
    X11WallpaperLoop(const X11WallpaperLoop&) = delete;
    X11WallpaperLoop& operator=(const X11WallpaperLoop&) = delete;

    Next Pump() override;
    std::string Ending() const override { return FEnding; }

  private:
    SDL_Window* FWindow;
    std::unique_ptr<StopSignals> FStop;
    X11ServerEnd FServer;
    ForeignWindowWatch FRoot; // the root's new size, after a monitor comes or goes
    DisplayPause FPause;
    std::string FEnding;
};

// The root window already spans every monitor: no other surface is needed. The scene is drawn once
// over the whole root, not once per monitor.
class RootSpansMonitors final : public OtherMonitors {
  public:
    bool Follow() override { return false; }
    std::vector<GLSurface*> SceneSurfaces() const override { return {}; }
    bool Owns(uint32_t) const override { return false; }
    void Hide() override {}
};

} // namespace quillaby::platform
