// The start of a run: building the scene, the window and its context, the reset and the first frame
// (offscreen, Mesa llvmpipe), and writing a snapshot picture.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/CommandLine.h"
#include "app/PngWriter.h"
#include "app/SceneSession.h"

namespace {

// Everything from nothing to the first presented frame of an 800 x 600 snapshot, once per iteration.
void BM_StartToFirstFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    quillaby::app::RunOptions options;
    options.Job = quillaby::app::JobKind::Snapshot;
    options.Seed = 1;
    quillaby::platform::GLWindowOptions window;
    window.Width = 800;
    window.Height = 600;
    window.Hidden = true;
    for (auto _ : state) {
        quillaby::app::SceneSession session(options, window, 1.0 / 30);
        session.Loop().RenderFrame();
    }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// An opaque picture of the given size written as a PNG file.
void BM_WritePng(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>((i % 4 == 3) ? 255 : (i * 7919) >> 5);
    const std::string file = (std::filesystem::temp_directory_path() / "quillaby-bench.png").string();
    for (auto _ : state) quillaby::app::WritePng(file, w, h, pixels);
    std::filesystem::remove(file);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(pixels.size()));
}
BENCHMARK(BM_WritePng)->Args({800, 600})->Args({1280, 720})->Unit(benchmark::kMillisecond);

} // namespace
