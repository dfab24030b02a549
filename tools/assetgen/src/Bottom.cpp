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
        // Ripples: an asymmetric ridge profile along a direction of whole periods, bent by noise.
        float bend = periodicFbm(u * 4, v * 4, 4, 3, 0.5f, seed + 1);
        float phase = u * 9 + v * 4 + 1.6f * bend;
        float r = phase - std::floor(phase);
        float slope = r < 0.7f ? 1.0f / 0.7f : -1.0f / 0.3f;
        float ripple = (variant == 1 ? 0.09f : 0.05f) * slope * 0.3f;
        float patches = periodicFbm(u * 8, v * 8, 8, 4, 0.55f, seed + 2);
        float grain = hashUnit(grainCell(u), grainCell(v), seed + 3) - 0.5f;
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

} // namespace assetgen
