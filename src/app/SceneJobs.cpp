#include "app/SceneJobs.h"

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/PngWriter.h"
#include "app/SceneSession.h"
#include "gl/GLCalls.h"
#include "platform/Environment.h"
#include "platform/sdl/SdlWindowVisibility.h"

namespace quillaby::app {

namespace {

constexpr double SnapshotStep = 1.0 / 30; // seconds of scene time per snapshot frame

// True when the event asks the window job to end.
bool EndsTheRun(const SDL_Event& event) {
    if (event.type == SDL_QUIT) return true; // also what SIGINT and SIGTERM become
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return true;
    return event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE;
}

// The colour buffer as opaque RGBA, rows from the top.
std::vector<uint8_t> ReadFrame(int width, int height) {
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> pixels(bottomUp.size());
    const size_t row = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.data() + (height - 1 - y) * row, row, pixels.data() + y * row);
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    return pixels;
}

// Holds SDL's video subsystem for the window job and refuses the drivers that show nothing: without a
// display SDL falls back to drawing offscreen, and the run would go on unseen until killed.
class VisibleVideo {
  public:
    VisibleVideo() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            throw Error(std::string("--window needs a display: ") + SDL_GetError());
        const std::string driver = SDL_GetCurrentVideoDriver();
        if (driver == "offscreen" || driver == "dummy") {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            throw Error("--window needs a display, but the video driver is \"" + driver +
                        "\"; set DISPLAY, or render a picture with --snapshot");
        }
    }
    ~VisibleVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
    VisibleVideo(const VisibleVideo&) = delete;
    VisibleVideo& operator=(const VisibleVideo&) = delete;
};

} // namespace

int RunWindowJob(const RunOptions& options) {
    VisibleVideo video;
    platform::SdlGLWindowOptions window;
    window.Title = "Quillaby";
    window.Width = options.Width;
    window.Height = options.Height;
    window.Flags = SDL_WINDOW_RESIZABLE;
    SceneSession session(options, window);
    SDL_Window* sdlWindow = session.Window().Window();
    session.Loop().OnFrameRate([sdlWindow](int fps) {
        SDL_SetWindowTitle(sdlWindow, ("Quillaby Screen Saver FPS: " + std::to_string(fps)).c_str());
    });
    // The idle loop never waits while the window can be seen: drain the events, then render one
    // frame. While it cannot (unmapped, minimised, fully covered) it waits for events instead.
    platform::SdlWindowVisibility visibility(sdlWindow);
    for (;;) {
        SDL_Event event;
        bool paused = false;
        while (visibility.Visible() ? SDL_PollEvent(&event) : SDL_WaitEvent(&event)) {
            if (EndsTheRun(event)) return 0;
            visibility.Handle(event);
            paused = paused || !visibility.Visible();
        }
        if (paused) session.Loop().Resume();
        session.Loop().RenderFrame();
    }
}

Snapshot RenderSnapshot(const RunOptions& options) {
    // Nothing is shown: where SDL can, it renders without any display at all, unless the
    // environment names a driver (to compare with a system whose GL has only windows).
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!asked || !*asked) platform::SetEnv("SDL_VIDEODRIVER", platform::OffscreenVideoDriver);
    platform::SdlGLWindowOptions window;
    window.Title = "Quillaby";
    window.Width = options.Width;
    window.Height = options.Height;
    window.Flags = SDL_WINDOW_HIDDEN;
    SceneSession session(options, window, SnapshotStep);
    TFrameLoop& loop = session.Loop();

    Snapshot shot;
    shot.Width = session.Window().DrawableWidth();
    shot.Height = session.Window().DrawableHeight();
    shot.Frames = options.Frames;
    // The last frame is read back before it is presented: after a swap the back buffer is undefined.
    loop.OnBeforePresent([&shot, &loop, &options]() {
        if (loop.FramesRendered() + 1 == options.Frames) shot.Pixels = ReadFrame(shot.Width, shot.Height);
    });
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < options.Frames; ++i) loop.RenderFrame();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    shot.FramesPerSecond = seconds > 0 ? options.Frames / seconds : 0;
    shot.CombinedLayers = loop.Drawing.DrewCombinedLayers();
    shot.OnePassNotes = loop.Drawing.OnePassNoteCount();
    return shot;
}

int RunSnapshotJob(const RunOptions& options, std::FILE* report) {
    const Snapshot shot = RenderSnapshot(options);
    WritePng(options.SnapshotFile, shot.Width, shot.Height, shot.Pixels);
    std::fprintf(report, "%s: %dx%d after %d frames; rendered at %.1f frames per second\n",
                 options.SnapshotFile.c_str(), shot.Width, shot.Height, shot.Frames, shot.FramesPerSecond);
    return 0;
}

} // namespace quillaby::app
