// Costs of the per-frame core: particle updates, vector-array operations, array growth, and the
// scene's trigonometry beside the C library's.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "math/DArrays.h"
#include "math/FastMath.h"
#include "math/Geometry.h"
#include "math/PortableMath.h"
#include "scene/Particles.h"

namespace {

class Drifting : public TParticles {
  public:
    void InitParticle(TParticle& p) override {
        p = TParticle{};
        p.Velocity = {10, 200, -30};
        p.Spin = {45, 90, 0};
        p.LifeTime = 1e9f;
    }
};

void ParticlesUpdate(benchmark::State& state) {
    Drifting ps;
    ps.UseGravity = state.range(0) != 0;
    ps.Gravity = 980;
    ps.SetCount(TParticles::MaxParticles);
    for (auto _ : state) {
        ps.Update(1.0f / 60);
        benchmark::DoNotOptimize(ps.Particles[199].Position.Y);
    }
    state.SetItemsProcessed(state.iterations() * TParticles::MaxParticles);
}
BENCHMARK(ParticlesUpdate)->Arg(0)->Arg(1)->ArgName("gravity");

std::vector<TGLVector> Vectors(int n, float seed) {
    std::vector<TGLVector> v(n);
    for (int i = 0; i < n; ++i) v[i] = {seed + i, seed * 2 - i, 3.0f + i * 0.5f};
    return v;
}

void LerpVectors10k(benchmark::State& state) {
    const auto a = Vectors(10000, 1), b = Vectors(10000, 7);
    std::vector<TGLVector> d(10000);
    float t = 0;
    for (auto _ : state) {
        LerpVectors(a.data(), b.data(), d.data(), 10000, t);
        t = t > 1 ? 0 : t + 0.01f;
        benchmark::DoNotOptimize(d.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(LerpVectors10k);

void NormalizeVectors10k(benchmark::State& state) {
    const auto source = Vectors(10000, 3);
    std::vector<TGLVector> v = source;
    for (auto _ : state) {
        NormalizeVectors(v.data(), 10000);
        benchmark::DoNotOptimize(v.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(NormalizeVectors10k);

// Growth one element at a time: every step reallocates and copies, so the cost is quadratic.
void DArraySetCountGrowth(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TGLVectorDArray a;
        for (int i = 1; i <= n; ++i) a.SetCount(i);
        benchmark::DoNotOptimize(a.Data());
    }
    state.SetComplexityN(n);
}
BENCHMARK(DArraySetCountGrowth)->RangeMultiplier(4)->Range(16, 4096)->Complexity();

// Sizing once, as the importers do.
void DArraySetCountOnce(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TGLVectorDArray a;
        a.SetCount(n);
        benchmark::DoNotOptimize(a.Data());
    }
}
BENCHMARK(DArraySetCountOnce)->Arg(4096);

// 1024 arguments across the scene's angles, -2 pi to 2 pi radians (the ratios atan meets lie in
// this range too); items = calls. The portable rows are what the scene runs, the C library's rows
// what it ran before its results had to be the same on every system.
template <class Function> void MathCalls(benchmark::State& state, Function F) {
    std::vector<float> x(1024);
    for (int i = 0; i < 1024; ++i) x[i] = (i - 512) * 0.01227f;
    for (auto _ : state) {
        float sum = 0;
        for (float v : x) sum += F(v);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}
namespace portable = quillaby::portable;
BENCHMARK_CAPTURE(MathCalls, SinCos, [](float v) {
    Single s, c;
    SinCos(v, s, c);
    return s + c;
});
BENCHMARK_CAPTURE(MathCalls, PortableSin, [](float v) { return static_cast<float>(portable::Sin(v)); });
BENCHMARK_CAPTURE(MathCalls, PortableTan, [](float v) { return static_cast<float>(portable::Tan(v)); });
BENCHMARK_CAPTURE(MathCalls, PortableAtan, [](float v) { return static_cast<float>(portable::Atan(v)); });
BENCHMARK_CAPTURE(MathCalls, PortablePow100,
                  [](float v) { return static_cast<float>(portable::Pow(std::fabs(v) * 0.15, 100)); });
BENCHMARK_CAPTURE(MathCalls, LibraryFloatSinAndCos, [](float v) { return std::sin(v) + std::cos(v); });
BENCHMARK_CAPTURE(MathCalls, LibraryFloatTan, [](float v) { return std::tan(v); });
BENCHMARK_CAPTURE(MathCalls, LibraryFloatAtan, [](float v) { return std::atan(v); });
BENCHMARK_CAPTURE(MathCalls, LibraryFloatPow100,
                  [](float v) { return std::pow(std::fabs(v) * 0.15f, 100.0f); });

} // namespace
