// The sea bottom: sand with ripples, pebbles or weed. Only features smaller than the picture and
// noise with whole periods across it, so the repeats on the bottom mesh do not show.
#include "Noise.h"
#include "Rng.h"
#include "Tiling.h"

#include <cmath>

namespace assetgen {

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
        // Ripples: a smooth, slightly asymmetric ridge profile along a direction of whole periods,
        // bent by noise and shaded by its slope (light across the ridges).
        float bend = periodicFbm(u * 4, v * 4, 4, 3, 0.5f, seed + 1);
        float phase = 6.2831853f * (u * 9 + v * 4 + 1.0f * bend);
        float slope = std::cos(phase) + 0.45f * std::cos(2 * phase + 0.8f);
        float ripple = (variant == 1 ? 0.075f : 0.04f) * slope;
        float patches = periodicFbm(u * 8, v * 8, 8, 4, 0.55f, seed + 2);
        float grain = hashUnit(grainCell(u), grainCell(v), seed + 3) - 0.5f;
        float shade = 0.5f + ripple + 0.18f * patches + 0.22f * grain;
        Rgb c = mix(sandDark, sand, clamp01(shade + 0.25f));

        if (variant == 2) {
            // Pebbles of mixed sizes on a sparse cell pattern, slightly out of round, shaded as
            // domes lit from the upper left and casting a short shadow to the lower right; many
            // cells stay bare sand.
            auto pebble = [&](float pu, float pv) {
                float wx = pu * 11 + 0.12f * periodicNoise(pu * 22, pv * 22, 22, seed + 8);
                float wy = pv * 11 + 0.12f * periodicNoise(pu * 22, pv * 22, 22, seed + 9);
                float presence = periodicNoise(pu * 11, pv * 11, 11, seed + 5);
                float size = presence > -0.15f ? 0.14f + 0.26f * smoothstep(-0.15f, 0.6f, presence) : 0.0f;
                // Height of the dome: 1 at the middle, 0 at the rim, negative outside.
                return 1.0f - periodicCells(wx, wy, 11, 0.8f, seed + 4).f1 / std::max(size, 1e-3f);
            };
            const float step = 0.5f / kTextureSize, shadowShift = 2.5f / kTextureSize;
            float h = pebble(u, v);
            if (h > 0) {
                float dome = std::sqrt(clamp01(h * (2 - h)));
                float slope = (pebble(u - step, v - step) - h) * 6; // rising towards the light
                float light = clamp01(0.72f + 0.45f * dome * 0.5f - 0.9f * slope);
                float tint = periodicNoise(u * 11 + 0.5f, v * 11 + 0.5f, 11, seed + 6);
                Rgb stone = mix(rgb255(112, 106, 98), rgb255(180, 170, 150), 0.5f + 0.6f * tint);
                c = mix(c, stone * (0.55f + 0.6f * light), smoothstep(0.0f, 0.12f, h));
            } else if (pebble(u - shadowShift, v - shadowShift) > 0) {
                c = c * 0.8f; // the shadow on the sand
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

} // namespace assetgen
