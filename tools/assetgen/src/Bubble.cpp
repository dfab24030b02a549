// One round bubble filling the quad: a nearly clear body, a brighter rim that softens into
// nothing, a sharp window highlight at the upper left and a faint bounce light below right.
#include "Textures.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kSuper = 3;
constexpr float kRadius = 0.46f; // of the picture's side

struct BubbleSample {
    Rgb colour;
    float alpha;
};

BubbleSample bubbleAt(float u, float v) {
    float x = (u - 0.5f) / kRadius, y = (v - 0.5f) / kRadius; // y down, 1 at the rim
    float r = std::hypot(x, y);
    if (r > 1.0f) return {rgb255(170, 210, 230), 0.0f};
    // Alpha: thin clear body, rim rising towards the edge, then a soft outer fall-off.
    float alpha = 0.2f + 0.72f * smoothstep(0.55f, 0.95f, r);
    alpha *= 1.0f - smoothstep(0.94f, 1.0f, r);
    Rgb colour = mix(rgb255(180, 220, 240), rgb255(240, 252, 255), smoothstep(0.5f, 0.95f, r));
    // The window highlight: an oval spot, opaque and white.
    float hx = (x + 0.38f) / 0.26f, hy = (y + 0.42f) / 0.17f;
    float spot = 1.0f - smoothstep(0.55f, 1.0f, std::hypot(hx, hy));
    // The bounce light: a crescent hugging the lower right rim.
    float crescent = smoothstep(0.62f, 0.8f, r) * (1.0f - smoothstep(0.86f, 0.95f, r)) *
                     clamp01((x * 0.6f + y * 0.8f - 0.35f) * 2.5f);
    colour = mix(colour, rgb255(255, 255, 255), clamp01(spot + 0.6f * crescent));
    alpha = std::max(alpha, std::max(spot, 0.85f * crescent));
    return {colour, clamp01(alpha)};
}

template <typename Pick> Image paintSupersampled(Pick pick) {
    Image image(kTextureSize, kTextureSize);
    for (int py = 0; py < kTextureSize; ++py) {
        for (int px = 0; px < kTextureSize; ++px) {
            Rgb sum;
            for (int sy = 0; sy < kSuper; ++sy)
                for (int sx = 0; sx < kSuper; ++sx)
                    sum = sum + pick(bubbleAt((px + (sx + 0.5f) / kSuper) / kTextureSize,
                                              (py + (sy + 0.5f) / kSuper) / kTextureSize));
            image.at(px, py) = sum * (1.0f / (kSuper * kSuper));
        }
    }
    return image;
}

} // namespace

Image paintBubble() {
    return paintSupersampled([](const BubbleSample& s) { return s.colour; });
}

Image paintBubbleAlpha() {
    return paintSupersampled([](const BubbleSample& s) { return Rgb{s.alpha, s.alpha, s.alpha}; });
}

} // namespace assetgen
