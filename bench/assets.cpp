// How long the asset generator takes: the build runs it, so it must stay quick.
#include "AssetSet.h"
#include "Sound.h"
#include "Textures.h"

#include <benchmark/benchmark.h>

namespace {

void PaintBanknote(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(assetgen::paintBanknote());
}
BENCHMARK(PaintBanknote)->Unit(benchmark::kMillisecond);

void PaintCaustics(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(assetgen::paintCaustics(1));
}
BENCHMARK(PaintCaustics)->Unit(benchmark::kMillisecond);

void PaintBottom(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(assetgen::paintBottom(2));
}
BENCHMARK(PaintBottom)->Unit(benchmark::kMillisecond);

void SynthesiseAndEncodeSound(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(assetgen::encodeAdpcmWave(assetgen::synthesiseBubbles()));
}
BENCHMARK(SynthesiseAndEncodeSound)->Unit(benchmark::kMillisecond);

// Every file, as the build makes them.
void AllAssets(benchmark::State& state) {
    for (auto _ : state)
        for (const assetgen::Asset& a : assetgen::allAssets()) benchmark::DoNotOptimize(a.make());
}
BENCHMARK(AllAssets)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
