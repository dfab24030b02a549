// Caustics, sea bottom and water surface: tiling pictures built only from periodic noise, so
// every edge continues into the opposite one.
#include "Noise.h"
#include "Rng.h"
#include "Textures.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kSuper = 2;

template <typename Painter> Image paintTiled(Painter painter) {
    Image image(kTextureSize, kTextureSize);
    for (int py = 0; py < kTextureSize; ++py) {
        for (int px = 0; px < kTextureSize; ++px) {
            Rgb sum;
            for (int sy = 0; sy < kSuper; ++sy)
                for (int sx = 0; sx < kSuper; ++sx)
                    sum = sum + painter((px + (sx + 0.5f) / kSuper) / kTextureSize,
                                        (py + (sy + 0.5f) / kSuper) / kTextureSize);
            image.at(px, py) = sum * (1.0f / (kSuper * kSuper));
        }
    }
    return image;
}

// Bright network of a warped cell pattern: 1 on the cell edges, falling off inside the cells.
float causticNetwork(float u, float v, int period, float sharpness, std::uint32_t seed) {
    float x = u * period, y = v * period;
    // The warp is sampled on the cell lattice itself so that it repeats with the cells.
    float ax = periodicFbm(x, y, period, 3, 0.5f, seed + 1);
    float ay = periodicFbm(x, y, period, 3, 0.5f, seed + 2);
    CellDistances d = periodicCells(x + 0.45f * ax, y + 0.45f * ay, period, 0.85f, seed);
    float edge = d.f2 - d.f1;
    return std::exp(-edge * sharpness);
}

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

Image paintBottom(int variant) {
    const std::uint32_t seed = 700 + variant * 31;
    Rgb sand, sandDark;
    switch (variant) {
    case 1:
        sand = rgb255(206, 196, 158), sandDark = rgb255(150, 140, 108);
        break;
    case 2:
        sand = rgb255(176, 178, 166), sandDark = rgb255(112, 118, 112);
        break;
    default:
        sand = rgb255(178, 186, 146), sandDark = rgb255(104, 122, 92);
        break;
    }
    return paintTiled([&](float u, float v) {
        // Ripples: an asymmetric ridge profile along a direction of whole periods, bent by noise.
        float bend = periodicFbm(u * 4, v * 4, 4, 3, 0.5f, seed + 1);
        float phase = u * 9 + v * 4 + 1.6f * bend;
        float r = phase - std::floor(phase);
        float slope = r < 0.7f ? 1.0f / 0.7f : -1.0f / 0.3f;
        float ripple = (variant == 1 ? 0.09f : 0.05f) * slope * 0.3f;
        float patches = periodicFbm(u * 8, v * 8, 8, 4, 0.55f, seed + 2);
        float grain = hashUnit(static_cast<std::uint32_t>(u * kTextureSize * kSuper),
                               static_cast<std::uint32_t>(v * kTextureSize * kSuper), seed + 3) -
                      0.5f;
        float shade = 0.5f + ripple + 0.18f * patches + 0.22f * grain;
        Rgb c = mix(sandDark, sand, clamp01(shade + 0.25f));

        if (variant == 2) {
            // Pebbles of mixed sizes on a sparse cell pattern, bent out of round by noise, lit
            // from the upper left; many cells stay bare sand.
            float wx = u * 11 + 0.25f * periodicNoise(u * 22, v * 22, 22, seed + 8);
            float wy = v * 11 + 0.25f * periodicNoise(u * 22, v * 22, 22, seed + 9);
            CellDistances d = periodicCells(wx, wy, 11, 0.8f, seed + 4);
            float presence = periodicNoise(u * 11, v * 11, 11, seed + 5);
            float size = 0.12f + 0.28f * smoothstep(-0.2f, 0.6f, presence);
            if (presence > -0.2f && d.f1 < size) {
                float edge = smoothstep(size, size * 0.75f, d.f1);
                float tint = periodicNoise(u * 30, v * 30, 30, seed + 6);
                Rgb stone = mix(rgb255(118, 112, 104), rgb255(176, 166, 146), 0.5f + 0.6f * tint);
                float light = 1.05f - 0.45f * d.f1 / size;
                c = mix(c, stone * light, edge);
            } else if (presence > -0.2f && d.f1 < size * 1.35f) {
                c = c * (0.8f + 0.2f * smoothstep(size, size * 1.35f, d.f1)); // contact shadow
            }
        } else if (variant == 3) {
            // Weed and silt: finely broken patches, low in contrast so the repeat stays hidden.
            float weed = periodicFbm(u * 12, v * 12, 12, 4, 0.6f, seed + 7);
            c = mix(c, rgb255(86, 110, 70), 0.55f * smoothstep(0.1f, 0.4f, weed));
            float silt = periodicFbm(u * 5, v * 5, 5, 2, 0.5f, seed + 10);
            c = c * (0.94f + 0.08f * silt);
        }
        return c;
    });
}

Image paintWater(int variant) {
    const std::uint32_t seed = 900 + variant * 17;
    Rgb deep, light;
    switch (variant) {
    case 1:
        deep = rgb255(30, 120, 146), light = rgb255(190, 245, 250);
        break;
    case 2:
        deep = rgb255(26, 90, 150), light = rgb255(180, 220, 255);
        break;
    default:
        deep = rgb255(24, 122, 110), light = rgb255(190, 250, 222);
        break;
    }
    return paintTiled([&](float u, float v) {
        // Wave facets: ridged noise gives the bright creases of a rippled surface.
        float n = periodicFbm(u * 4, v * 4, 4, 5, 0.55f, seed);
        float ridge = 1.0f - std::fabs(n);
        ridge = ridge * ridge * ridge;
        float network = causticNetwork(u, v, 6, 6.0f, seed + 3);
        float t = clamp01(0.15f + 0.55f * ridge + 0.35f * network);
        return mix(deep, light, t);
    });
}

} // namespace assetgen
