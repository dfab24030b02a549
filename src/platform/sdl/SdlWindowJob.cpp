#include "platform/sdl/SdlWindowJob.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/Environment.h"
#include "platform/sdl/SdlWindowVisibility.h"

namespace quillaby::platform {

namespace {

class SdlVideoHold final : public VideoHold {
  public:
    SdlVideoHold() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            FFailure = SDL_GetError();
            if (FFailure.empty()) FFailure = "SDL's video does not start";
            return;
        }
        FHeld = true;
        FDriver = SDL_GetCurrentVideoDriver();
    }
    ~SdlVideoHold() override {
        if (FHeld) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SdlVideoHold(const SdlVideoHold&) = delete;
    SdlVideoHold& operator=(const SdlVideoHold&) = delete;

    const std::string& Failure() const override { return FFailure; }
    const std::string& Driver() const override { return FDriver; }
    // Without a display SDL falls back to drawing offscreen.
    bool Shows() const override { return FHeld && FDriver != "offscreen" && FDriver != "dummy"; }

  private:
    bool FHeld = false;
    std::string FFailure;
    std::string FDriver;
};

// True when the event asks the window's program to end.
bool EndsTheRun(const SDL_Event& event) {
    if (event.type == SDL_QUIT) return true; // also what SIGINT and SIGTERM become
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return true;
    return event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE;
}

class SdlWindowLoop final : public WindowLoop {
  public:
    explicit SdlWindowLoop(GLWindow& window) : FVisibility(static_cast<SDL_Window*>(window.Native())) {}

    Next Pump() override {
        SDL_Event event;
        bool paused = false;
        while (FVisibility.Visible() ? SDL_PollEvent(&event) : SDL_WaitEvent(&event)) {
            if (EndsTheRun(event)) return Next::End;
            FVisibility.Handle(event);
            paused = paused || !FVisibility.Visible();
        }
        return paused ? Next::FrameAfterPause : Next::Frame;
    }

  private:
    SdlWindowVisibility FVisibility;
};

} // namespace

std::unique_ptr<VideoHold> HoldSdlVideo() {
    return std::make_unique<SdlVideoHold>();
}

std::unique_ptr<WindowLoop> CreateSdlWindowLoop(GLWindow& window) {
    return std::make_unique<SdlWindowLoop>(window);
}

void PreferOffscreenVideo() {
    // A driver the environment names stays: to compare with a system whose GL has only windows.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!asked || !*asked) SetEnv("SDL_VIDEODRIVER", OffscreenVideoDriver);
}

} // namespace quillaby::platform
