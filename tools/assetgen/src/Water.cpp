// The water surface seen from below: bright creases of a rippled surface over the theme's blue.
#include "Noise.h"
#include "Tiling.h"

#include <cmath>

namespace assetgen {

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
