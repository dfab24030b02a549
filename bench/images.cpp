// The cost of loading a texture: decoding a 256 x 256 JPEG (the size of every picture the
// program ships) and building its texture pixels in the upload layout, apart and together.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "../tests/assets/ImageFiles.h"
#include "assets/JpegDecoder.h"
#include "gl/GLUtils.h"

namespace {

constexpr int Side = 256;

// A picture with the detail of a real texture: soft waves plus fine noise, quality 90.
testimages::Bytes Picture(int seed) {
    std::srand(static_cast<unsigned>(seed));
    testimages::Bytes rgb;
    rgb.reserve(Side * Side * 3);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const double wave = 0.5 + 0.5 * std::sin(x * 0.11 + seed) * std::cos(y * 0.07);
            for (int c = 0; c < 3; ++c) {
                const int v = static_cast<int>(wave * (120 + 40 * c)) + std::rand() % 48;
                rgb.push_back(static_cast<unsigned char>(v > 255 ? 255 : v));
            }
        }
    return testimages::EncodeJpeg(Side, Side, 3, rgb, 90);
}

class MemoryResources : public quillaby::ResourceSource {
  public:
    MemoryResources() : FColour(Picture(1)), FAlpha(Picture(2)) {}
    std::optional<quillaby::ResourceData> Find(std::string_view name) const override {
        if (quillaby::SameResourceName(name, "puzir_jpg")) return quillaby::ResourceData(std::span(FColour));
        if (quillaby::SameResourceName(name, "puzirA_jpg")) return quillaby::ResourceData(std::span(FAlpha));
        return std::nullopt;
    }
    std::size_t Bytes() const { return FColour.size(); }

  private:
    testimages::Bytes FColour, FAlpha;
};

void DecodeJpeg256(benchmark::State& state) {
    const auto stream = Picture(1);
    for (auto _ : state) {
        auto bmp = quillaby::DecodeJpeg(stream);
        benchmark::DoNotOptimize(bmp.Pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
    state.counters["jpeg_bytes"] = static_cast<double>(stream.size());
}
BENCHMARK(DecodeJpeg256)->Unit(benchmark::kMicrosecond);

void TextureFromBitmap256(benchmark::State& state) {
    const auto bmp = quillaby::DecodeJpeg(Picture(1));
    for (auto _ : state) {
        auto texture = TextureFromBitmap(&bmp);
        benchmark::DoNotOptimize(texture->Data());
    }
    state.SetItemsProcessed(state.iterations() * Side * Side);
}
BENCHMARK(TextureFromBitmap256)->Unit(benchmark::kMicrosecond);

void LoadTexture256(benchmark::State& state) {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.Resources = std::make_shared<MemoryResources>();
    for (auto _ : state) {
        auto texture = LoadTexture("puzir.jpg", settings);
        benchmark::DoNotOptimize(texture->Data());
    }
    state.SetItemsProcessed(state.iterations() * Side * Side);
}
BENCHMARK(LoadTexture256)->Unit(benchmark::kMicrosecond);

void LoadTextureWithAlpha256(benchmark::State& state) {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.Resources = std::make_shared<MemoryResources>();
    for (auto _ : state) {
        auto texture = LoadTextureWithAlpha("puzir.jpg", "puzirA.jpg", settings);
        benchmark::DoNotOptimize(texture->Data());
    }
    state.SetItemsProcessed(state.iterations() * Side * Side);
}
BENCHMARK(LoadTextureWithAlpha256)->Unit(benchmark::kMicrosecond);

// The banknote picture the program carries, from its own resource table.
void LoadProgramTexture(benchmark::State& state) {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    if (!quillaby::ProgramResources().Find("DOLLAR_JPG")) {
        state.SkipWithError("the program carries no dollar.jpg in this build");
        return;
    }
    for (auto _ : state) {
        auto texture = LoadTexture("dollar.jpg", settings);
        benchmark::DoNotOptimize(texture->Data());
    }
    state.SetItemsProcessed(state.iterations() * Side * Side);
}
BENCHMARK(LoadProgramTexture)->Unit(benchmark::kMicrosecond);

} // namespace
