// Caustics: light focused by the moving water surface into a bright, thin, ever-changing network
// on what lies below. Two warped cell networks of different sizes overlap, as the swell does.
#include "Noise.h"
#include "Tiling.h"

namespace assetgen {

namespace {

struct CausticLook {
    Rgb deep, light;
    int period1, period2;
    std::uint32_t seed;
    float contrast;
};

CausticLook causticLook(int variant) {
    switch (variant) {
    case 1:
        return {rgb255(70, 118, 128), rgb255(236, 255, 250), 5, 7, 101, 1.0f};
    case 2:
        return {rgb255(62, 100, 132), rgb255(232, 246, 255), 4, 6, 202, 1.0f};
    case 3:
        return {rgb255(66, 120, 104), rgb255(236, 255, 232), 5, 8, 303, 1.0f};
    default:
        return {rgb255(70, 84, 96), rgb255(255, 255, 255), 3, 5, 505, 1.25f};
    }
}

} // namespace

Image paintCaustics(int variant) {
    CausticLook look = causticLook(variant);
    return paintTiled([&](float u, float v) {
        float a = causticNetwork(u, v, look.period1, 9.0f, look.seed);
        float b = causticNetwork(u, v, look.period2, 12.0f, look.seed + 50);
        float intensity = 0.7f * a + 0.45f * b + 0.6f * a * b;
        intensity = clamp01(intensity * look.contrast);
        // Slow brightness swell so the pattern is not uniform.
        float swell = 0.85f + 0.15f * periodicNoise(u * 2, v * 2, 2, look.seed + 9);
        return mix(look.deep, look.light, clamp01(intensity * swell));
    });
}

} // namespace assetgen
