// Model loading and the waving banknote: parse + import of every model the program carries,
// the key-frame list load, and the per-frame animation step.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "assets/LoadSettings.h"
#include "geometry/AnimClasses.h"
#include "geometry/File3DM.h"
#include "geometry/LoadMFL.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTextureList.h"

namespace {

const std::vector<std::string>& ModelNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"Dollaro00f.3dm", "Puzir00f.3dm", "dnoK00f.3dm"};
        for (int i = 0; i <= 10; ++i)
            n.push_back("DollarsWave" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "f.3dm");
        return n;
    }();
    return names;
}

// The program's own resources, as the saver reads them.
TLoadSettings ProgramSettings() {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    return settings;
}

bool HasProgramModels(benchmark::State& state) {
    if (quillaby::ProgramResources().Find("DOLLARO00F_3DM")) return true;
    state.SkipWithError("the program carries no models");
    return false;
}

// Text parsing alone, from text already in memory.
void Parse3DM(benchmark::State& state) {
    if (!HasProgramModels(state)) return;
    std::vector<std::string> texts;
    size_t bytes = 0;
    for (const auto& name : ModelNames()) {
        const auto data = quillaby::ProgramResources().Get(quillaby::ResourceName(name));
        texts.emplace_back(reinterpret_cast<const char*>(data.Bytes().data()), data.Size());
        bytes += data.Size();
    }
    for (auto _ : state) {
        for (const auto& text : texts) {
            T3DMFile file;
            file.LoadFromText(text, "bench.3dm");
            benchmark::DoNotOptimize(file.ObjectCount());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(Parse3DM)->Unit(benchmark::kMillisecond);

// Resource look-up, parse and import into one merged primitive, for every model.
void LoadAllModels(benchmark::State& state) {
    if (!HasProgramModels(state)) return;
    const TLoadSettings settings = ProgramSettings();
    int vertices = 0;
    for (auto _ : state) {
        vertices = 0;
        for (const auto& name : ModelNames()) vertices += LoadPrimitive(name, settings)->Vertices.Count();
    }
    state.counters["vertices"] = vertices;
}
BENCHMARK(LoadAllModels)->Unit(benchmark::kMillisecond);

void LoadWavingBanknote(benchmark::State& state) {
    if (!HasProgramModels(state)) return;
    const TLoadSettings settings = ProgramSettings();
    for (auto _ : state) {
        TGLTextureList textures;
        TGLMaterialList materials;
        TAnimationList animations;
        TGLPrimitiveList primitives;
        LoadMFL("DollarsWave.mfl", textures, materials, animations, primitives, settings);
        benchmark::DoNotOptimize(animations.Count());
    }
}
BENCHMARK(LoadWavingBanknote)->Unit(benchmark::kMillisecond);

// What the frame loop does for the waving banknote every frame.
void WaveFrame(benchmark::State& state) {
    if (!HasProgramModels(state)) return;
    TGLTextureList textures;
    TGLMaterialList materials;
    TAnimationList animations;
    TGLPrimitiveList primitives;
    LoadMFL("DollarsWave.mfl", textures, materials, animations, primitives, ProgramSettings());
    animations.Start(0);
    Extended now = 0;
    int vertices = 0;
    for (int i = 0; i < primitives.Count(); ++i) vertices += primitives.Items(i)->Vertices.Count();
    for (auto _ : state) {
        now += 0.0137L; // a little under 75 frames a second, never landing on a key exactly
        animations.Update(now);
        for (int i = 0; i < primitives.Count(); ++i) primitives.Items(i)->BuildNormals();
    }
    state.counters["vertices"] = vertices;
}
BENCHMARK(WaveFrame)->Unit(benchmark::kMicrosecond);

} // namespace
