// The logo: a small underwater view (light shafts, bubbles, a banknote drifting down) with the
// product's name along the foot.
#include "Font.h"
#include "Noise.h"
#include "Textures.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kWidth = 150, kHeight = 110;

Rgb water(float x, float y) {
    Rgb top = rgb255(60, 190, 210), bottom = rgb255(6, 52, 96);
    Rgb c = mix(top, bottom, std::pow(y / kHeight, 0.8f));
    // Light shafts fanning from above.
    float shaft = 0.5f + 0.5f * std::sin((x - 0.35f * y) * 0.16f + 0.6f * std::sin(x * 0.05f));
    c = c + Rgb{0.12f, 0.16f, 0.16f} * (shaft * shaft * (1.0f - y / kHeight));
    return c;
}

void drawBubble(Image& image, float cx, float cy, float r) {
    for (int y = static_cast<int>(cy - r - 2); y <= cy + r + 2; ++y) {
        for (int x = static_cast<int>(cx - r - 2); x <= cx + r + 2; ++x) {
            if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) continue;
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            float rim = smoothstep(0.6f, 0.95f, d) * (1.0f - smoothstep(0.95f, 1.0f + 1.0f / r, d));
            float spot =
                1.0f - smoothstep(0.1f, 0.35f,
                                  std::hypot(x + 0.5f - (cx - r * 0.4f), y + 0.5f - (cy - r * 0.4f)) / r);
            image.at(x, y) = mix(image.at(x, y), rgb255(220, 250, 255), clamp01(0.8f * rim + spot));
        }
    }
}

} // namespace

Image paintLogo(const Image& note) {
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) image.at(x, y) = water(x + 0.5f, y + 0.5f);

    // A banknote seen at a slant: the front of the note texture mapped onto a parallelogram.
    const float ox = 30, oy = 14, ax = 86, ay = 22, bx = -14, by = 34; // corner and two edge vectors
    float det = ax * by - ay * bx;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            Rgb sum;
            float covered = 0;
            for (int s = 0; s < 4; ++s) {
                float px = x + 0.25f + 0.5f * (s & 1) - ox, py = y + 0.25f + 0.5f * (s >> 1) - oy;
                float u = (px * by - py * bx) / det, v = (ax * py - ay * px) / det;
                if (u < 0 || u >= 1 || v < 0 || v >= 1) continue;
                Rgb texel =
                    note.at(static_cast<int>(u * kTextureSize), static_cast<int>(v * (kTextureSize / 2)));
                // Underwater light: the paper takes on the water's colour a little.
                sum = sum + mix(texel, rgb255(120, 200, 210), 0.2f) * (0.85f + 0.15f * u);
                covered += 1;
            }
            if (covered > 0) image.at(x, y) = mix(image.at(x, y), sum * (1.0f / covered), covered / 4);
        }
    }

    const float bubbles[][3] = {{124, 62, 7}, {133, 44, 5},   {121, 28, 4},  {130, 14, 3},
                                {16, 70, 5},  {22, 52, 3.5f}, {14, 38, 2.5f}};
    for (const auto& b : bubbles) drawBubble(image, b[0], b[1], b[2]);

    // The name along the foot, with a dark shadow so it reads on the water.
    const std::string name = "QUILLABY";
    int scale = 2;
    int textWidth = static_cast<int>(textWidthCells(name)) * scale;
    int tx = (kWidth - textWidth) / 2, ty = kHeight - kGlyphRows * scale - 8;
    drawPixelText(image, tx + 1, ty + 1, scale, name, rgb255(0, 24, 48));
    drawPixelText(image, tx, ty, scale, name, rgb255(250, 236, 170));
    return image;
}

} // namespace assetgen
