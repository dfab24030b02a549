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
            failure_ = SDL_GetError();
            if (failure_.empty()) failure_ = "SDL's video does not start";
            return;
        }
        held_ = true;
        driver_ = SDL_GetCurrentVideoDriver();
    }
    ~SdlVideoHold() override {
        if (held_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SdlVideoHold(const SdlVideoHold&) = delete;
    SdlVideoHold& operator=(const SdlVideoHold&) = delete;

    const std::string& Failure() const override { return failure_; }
    const std::string& Driver() const override { return driver_; }
    // Without a display SDL falls back to drawing offscreen.
    bool Shows() const override { return held_ && driver_ != "offscreen" && driver_ != "dummy"; }

  private:
    bool held_ = false;
    std::string failure_;
    std::string driver_;
};

// True when the event asks the window's program to end.
bool EndsTheRun(const SDL_Event& event) {
    if (event.type == SDL_QUIT) return true; // also what SIGINT and SIGTERM become
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return true;
    return event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE;
}

class SdlWindowLoop final : public WindowLoop {
  public:
    explicit SdlWindowLoop(GLWindow& window) : visibility_(static_cast<SDL_Window*>(window.Native())) {}

    Next Pump() override {
        SDL_Event event;
        bool paused = false;
        while (visibility_.Visible() ? SDL_PollEvent(&event) : SDL_WaitEvent(&event)) {
            if (EndsTheRun(event)) return Next::End;
            visibility_.Handle(event);
            paused = paused || !visibility_.Visible();
        }
        return paused ? Next::FrameAfterPause : Next::Frame;
    }

  private:
    SdlWindowVisibility visibility_;
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
