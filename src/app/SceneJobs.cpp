#include "app/SceneJobs.h"

#include <chrono>
#include <string>

#include "app/FramePacer.h"
#include "app/PngWriter.h"
#include "app/SceneSession.h"
#include "gl/GLCalls.h"
#include "platform/Environment.h"
#include "platform/Services.h"

namespace quillaby::app {

namespace {

constexpr double SnapshotStep = 1.0 / 30; // seconds of scene time per snapshot frame

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

// The video held for the window job. Drivers that show nothing are refused: without a display the
// window would be drawn offscreen, and the run would go on unseen until killed.
std::unique_ptr<platform::VideoHold> HoldVisibleVideo(platform::Services& services) {
    auto video = services.HoldVideo();
    if (!video->Failure().empty()) throw Error("--window needs a display: " + video->Failure());
    if (!video->Shows())
        throw Error("--window needs a display, but the video driver is \"" + video->Driver() +
                    "\"; set DISPLAY, or render a picture with --snapshot");
    return video;
}

} // namespace

int RunWindowJob(const RunOptions& options) {
    platform::Services& services = platform::SystemServices();
    const auto video = HoldVisibleVideo(services);
    platform::GLWindowOptions window;
    window.Title = "Quillaby";
    window.Width = options.Width;
    window.Height = options.Height;
    window.Resizable = true;
    SceneSession session(options, window, std::nullopt, services);
    platform::GLWindow& shown = session.Window();
    session.Loop().OnFrameRate(
        [&shown](int fps) { shown.SetTitle("Quillaby Screen Saver FPS: " + std::to_string(fps)); });
    // The idle loop never waits while the window can be seen: drain the events, then render one
    // frame. While it cannot (unmapped, minimised, fully covered) it waits for events instead.
    const auto events = services.CreateWindowLoop(shown);
    FramePacer pacer(options.MaxFps);
    for (;;) {
        const platform::WindowLoop::Next next = events->Pump();
        if (next == platform::WindowLoop::Next::End) return 0;
        if (next == platform::WindowLoop::Next::FrameAfterPause) {
            session.Loop().Resume();
            pacer.Restart();
        }
        session.Loop().RenderFrame();
        pacer.Pace();
    }
}

Snapshot RenderSnapshot(const RunOptions& options) {
    // Nothing is shown: where the system can, it renders without any display at all.
    platform::PreferOffscreenVideo();
    platform::GLWindowOptions window;
    window.Title = "Quillaby";
    window.Width = options.Width;
    window.Height = options.Height;
    window.Hidden = true;
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
