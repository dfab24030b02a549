#pragma once
// Helpers of the repeating textures: a supersampled painter over one period of the picture, and
// the warped cell network that gives caustics and surface ripples their bright creases.
#include "Image.h"
#include "Textures.h"

#include <cstdint>

namespace assetgen {

// Paints a kTextureSize square by calling painter(u, v) with u, v in [0, 1) at 2 x 2 points per
// texel; a painter built from periodic noise with whole periods over [0, 1) tiles seamlessly.
template <typename Painter> Image paintTiled(Painter painter) {
    const int super = 2;
    Image image(kTextureSize, kTextureSize);
    for (int py = 0; py < kTextureSize; ++py) {
        for (int px = 0; px < kTextureSize; ++px) {
            Rgb sum;
            for (int sy = 0; sy < super; ++sy)
                for (int sx = 0; sx < super; ++sx)
                    sum = sum + painter((px + (sx + 0.5f) / super) / kTextureSize,
                                        (py + (sy + 0.5f) / super) / kTextureSize);
            image.at(px, py) = sum * (1.0f / (super * super));
        }
    }
    return image;
}

// Bright network of a warped cell pattern with `period` cells across the picture: 1 on the
// cell edges, falling off inside the cells the faster the larger `sharpness`.
float causticNetwork(float u, float v, int period, float sharpness, std::uint32_t seed);

// Sub-texel grain coordinates: the same (u, v) always gives the same grain cell.
inline std::uint32_t grainCell(float t) {
    return static_cast<std::uint32_t>(t * kTextureSize * 2);
}

} // namespace assetgen
