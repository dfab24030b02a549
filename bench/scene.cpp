// The cost of the underwater scene: one whole frame (update and every draw call) on the CPU against
// the null GL table, the reset's pre-run, the notes' one-or-two-pass sorting of fewer passes, and
// snapshot rendering for real (offscreen, Mesa llvmpipe).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/CommandLine.h"
#include "app/SceneSession.h"
#include "assets/LoadSettings.h"
#include "gl/OpenGL12.h"
#include "scene/FrameLoop.h"
#include "scene/SceneRandom.h"
#include "scene/ShimmerPass.h"
#include "scene/UnderwaterScene.h"

namespace {

// Puts the null table in place for one benchmark and the previous table back afterwards.
class NullGL {
  public:
    NullGL() : FSaved(quillaby::gl::entryPoints) {
        quillaby::gl::entryPoints = quillaby::gl::nullEntryPoints();
    }
    ~NullGL() { quillaby::gl::entryPoints = FSaved; }

  private:
    quillaby::gl::GLEntryPoints FSaved;
};

// A scene built from the program's resources, reset and ready for its first frame; no driver.
struct CpuScene {
    CpuScene(int theme, int notes, int bubbles) {
        LoadSettings().LoadFromResources = true;
        quillaby::scene::SeedRandom(1);
        Options.ThemeIndex = theme;
        Options.DollarCount = notes;
        Options.BubbleCount = bubbles;
        Scene.SetSceneDefaults();
        Scene.CreateScene();
        Loop.UseFixedStep(1.0 / 60);
        Loop.ResetScene();
    }
    NullGL Gl;
    TSceneOptions Options;
    quillaby::scene::FixedSurfaceSize Surface{800, 600};
    TUnderwaterScene Scene{Options, Surface};
    TFrameLoop Loop{Scene};
};

// args: theme, notes, bubbles
void BM_FrameCpu(benchmark::State& state) {
    CpuScene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
               static_cast<int>(state.range(2)));
    for (auto _ : state) s.Loop.RenderFrame();
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(state.range(0) == 0 ? "Immersion" : state.range(0) == 1 ? "Fountain" : "Fishes");
}
BENCHMARK(BM_FrameCpu)
    ->ArgNames({"theme", "notes", "bubbles"})
    ->Args({0, 60, 100})
    ->Args({1, 60, 100})
    ->Args({2, 60, 100})
    ->Args({0, 100, 100})
    ->Args({1, 100, 100})
    ->Args({2, 100, 100});

// The reset at the start of each run: 5001 pre-run steps of every particle system.
void BM_ResetScene(benchmark::State& state) {
    CpuScene s(0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) s.Loop.ResetScene();
}
BENCHMARK(BM_ResetScene)
    ->ArgNames({"notes", "bubbles"})
    ->Args({60, 100})
    ->Args({100, 100})
    ->Unit(benchmark::kMillisecond);

// Fewer passes (and hack mode) ask for every note, every frame, whether its lighting saturates
// anywhere the camera sees: three rotations (sine and cosine) per note, each vertex moved and lit.
// The camera, light and material as the frame sets them. Items = notes. args: theme
void BM_ShimmerSort(benchmark::State& state) {
    CpuScene s(static_cast<int>(state.range(0)), 60, 0);
    const float camera[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; // the notes' modelview
    // The light as the frame loop's OpenGL set-up makes it (the null table has none): the scene's
    // ambient and light colours, no specular colour, shininess 100.
    const TGLColor ambient = s.Scene.Params.AmbientColour, diffuse = s.Scene.Params.LightColour;
    const quillaby::scene::TWhiteLighting lighting{
        {ambient.R, ambient.G, ambient.B}, {diffuse.R, diffuse.G, diffuse.B}, {0, 0, 0}, 100};
    const TViewParticles& notes = s.Scene.NoteSystem();
    // The Fishes theme draws the waving note, the others the flat one.
    const TGLPrimitive& mesh = state.range(0) == 2 ? *s.Scene.WavePrimitives->Items(0) : *s.Scene.NoteMesh;
    int one = 0;
    for (auto _ : state) {
        one = 0;
        for (int i = 0; i < notes.Count; ++i)
            one += quillaby::scene::ShimmerPassesFor(camera, {1, 1, 1}, lighting, notes.Particles[i].Position,
                                                     notes.Particles[i].Rotation,
                                                     mesh) == quillaby::scene::TShimmerPasses::One;
        benchmark::DoNotOptimize(one);
    }
    state.SetItemsProcessed(state.iterations() * notes.Count);
    state.counters["one_pass"] = one;
}
BENCHMARK(BM_ShimmerSort)->ArgName("theme")->Arg(0)->Arg(1)->Arg(2);

// Real rendering offscreen through the driver, as --snapshot does; items per second = frames per second.
// args: width, height, theme, fewer passes (0 or 1)
void BM_SnapshotFrames(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    quillaby::app::RunOptions options;
    options.Job = quillaby::app::JobKind::Snapshot;
    options.Width = static_cast<int>(state.range(0));
    options.Height = static_cast<int>(state.range(1));
    options.Theme = static_cast<int>(state.range(2));
    options.Seed = 1;
    options.FewerPasses = state.range(3) != 0;
    quillaby::platform::GLWindowOptions window;
    window.Width = options.Width;
    window.Height = options.Height;
    window.Hidden = true;
    quillaby::app::SceneSession session(options, window, 1.0 / 30);
    for (int i = 0; i < 5; ++i) session.Loop().RenderFrame(); // uploads and warm-up
    for (auto _ : state) session.Loop().RenderFrame();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SnapshotFrames)
    ->ArgNames({"w", "h", "theme", "fewer"})
    ->Args({800, 600, 0, 0})
    ->Args({800, 600, 1, 0})
    ->Args({800, 600, 2, 0})
    ->Args({1920, 1080, 0, 0})
    ->Args({1920, 1080, 1, 0})
    ->Args({1920, 1080, 2, 0})
    ->Args({800, 600, 0, 1})
    ->Args({1920, 1080, 0, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3)
    ->UseRealTime();

} // namespace
