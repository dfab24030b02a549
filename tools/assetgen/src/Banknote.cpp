// The banknote is painted in note units: x from 0 to kAspect along its length, y from 0 (top)
// to 1 across, the 1024 x 430 proportions of the model; each half of the texture holds one side.
#include "Font.h"
#include "Noise.h"
#include "Textures.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kAspect = 1024.0f / 430.0f;
constexpr float kPixel = kAspect / kTextureSize; // note units per texel
constexpr int kSuper = 3;                        // samples per texel and axis

const Rgb kPaper = rgb255(226, 232, 212);
const Rgb kPaperShade = rgb255(200, 214, 190);
const Rgb kInk = rgb255(24, 74, 62);
const Rgb kInkBack = rgb255(30, 66, 88);
const Rgb kOchre = rgb255(170, 130, 70);
const Rgb kRose = rgb255(176, 96, 110);
const Rgb kSerial = rgb255(150, 36, 30);

// Coverage of a line of half-width `halfWidth` at distance `distance`, anti-aliased over a texel.
float stroke(float distance, float halfWidth) {
    return 1.0f - smoothstep(-kPixel * 0.5f, kPixel * 0.5f, distance - halfWidth);
}

struct Canvas {
    Rgb colour;
    void ink(Rgb c, float coverage) { colour = mix(colour, c, clamp01(coverage)); }
};

// Distance from a point to a family of `count` phase-shifted sine curves inside a band that
// runs along `s` with the across-coordinate `t` in band units of width `width`.
float ropeDistance(float s, float t, float width, float wavelength, int count) {
    float best = 1e9f;
    for (int i = 0; i < count; ++i) {
        float phase = 2 * kPi * s / wavelength + i * 2 * kPi / count;
        float curve = 0.5f + 0.42f * std::sin(phase);
        float slope = 0.42f * std::cos(phase) * 2 * kPi / wavelength * width;
        float d = std::fabs(t - curve) * width / std::sqrt(1 + slope * slope);
        best = std::min(best, d);
    }
    return best;
}

// Spirograph rosette around (cx, cy): `count` petal curves r = R (base + depth sin(k a + phase)).
float rosetteDistance(float x, float y, float cx, float cy, float radius, int lobes, int count, float base,
                      float depth) {
    float dx = x - cx, dy = y - cy;
    float r = std::hypot(dx, dy);
    if (r > radius * (base + depth) + 4 * kPixel) return 1e9f;
    float a = std::atan2(dy, dx);
    float best = 1e9f;
    for (int i = 0; i < count; ++i) {
        float phase = lobes * a + i * 2 * kPi / count;
        float curve = radius * (base + depth * std::sin(phase));
        float slope = radius * depth * lobes * std::cos(phase) / std::max(r, 1e-3f);
        best = std::min(best, std::fabs(r - curve) / std::sqrt(1 + slope * slope));
    }
    return best;
}

// The text `text` with its cell size `cell`, left edge at x0 and top at y0.
float textCoverage(const std::string& text, float x, float y, float x0, float y0, float cell, float radius) {
    float u = (x - x0) / cell, v = (y - y0) / cell;
    if (u < -2 || v < -2 || u > textWidthCells(text) + 2 || v > kGlyphRows + 2) return 0;
    return stroke(textDistance(text, u, v, radius) * cell, 0);
}

float centredText(const std::string& text, float x, float y, float cx, float cy, float cell, float radius) {
    return textCoverage(text, x, y, cx - textWidthCells(text) * cell * 0.5f, cy - kGlyphRows * cell * 0.5f,
                        cell, radius);
}

// Distance (positive inside) to the border of the note inset by `inset`.
float insideBy(float x, float y, float inset) {
    return std::min(std::min(x - inset, kAspect - inset - x), std::min(y - inset, 1 - inset - y));
}

void paintPaper(Canvas& c, float x, float y, std::uint32_t seed) {
    float mottle = periodicFbm(x * 6, y * 6, 64, 2, 0.5f, seed);
    c.colour = mix(kPaper, kPaperShade, 0.5f + 0.5f * mottle);
    // Fine background lines that cross in a shallow moire, as on security paper.
    float f1 = y * 70 + 1.2f * std::sin(x * 9.0f);
    float f2 = y * 70 - 1.2f * std::sin(x * 9.0f + 1.3f);
    float d1 = std::fabs(f1 - std::round(f1)) / 70, d2 = std::fabs(f2 - std::round(f2)) / 70;
    c.ink(kPaperShade * 0.9f, 0.45f * stroke(std::min(d1, d2), kPixel * 0.25f));
}

void paintBorder(Canvas& c, float x, float y, Rgb ink) {
    const float outer = 0.035f, inner = 0.105f;
    float inside = insideBy(x, y, outer);
    // Double frame lines on both edges of the band.
    for (float edge : {0.0f, 0.012f, inner - outer - 0.012f, inner - outer})
        c.ink(ink, stroke(std::fabs(inside - edge), kPixel * 0.45f));
    if (inside > 0.012f && inside < inner - outer - 0.012f) {
        float width = inner - outer - 0.024f;
        float t = (inside - 0.012f) / width;
        // Along the top and bottom the band runs with x, along the sides with y.
        bool horizontal = std::min(y, 1 - y) < std::min(x, kAspect - x);
        float s = horizontal ? x : y;
        c.ink(ink, 0.85f * stroke(ropeDistance(s, t, width, 0.09f, 4), kPixel * 0.3f));
    }
}

// The outline of the portrait in medallion units (1 = the oval's half-height), clockwise from
// the crown: back of the head, nape, shoulders, then up the chest, chin, lips, nose and brow.
struct Point {
    float x, y;
};
constexpr Point kProfile[] = {
    {0.04f, -0.76f}, {0.24f, -0.71f}, {0.35f, -0.55f},  {0.39f, -0.31f},  {0.33f, -0.09f},  {0.22f, 0.04f},
    {0.21f, 0.27f},  {0.36f, 0.45f},  {0.66f, 0.62f},   {0.74f, 1.0f},    {-0.70f, 1.0f},   {-0.62f, 0.68f},
    {-0.31f, 0.5f},  {-0.14f, 0.36f}, {-0.11f, 0.15f},  {-0.19f, 0.08f},  {-0.21f, -0.02f}, {-0.25f, -0.05f},
    {-0.22f, -0.1f}, {-0.31f, -0.2f}, {-0.24f, -0.31f}, {-0.24f, -0.42f}, {-0.2f, -0.58f},  {-0.12f, -0.72f},
};

// Whether (x, y) lies inside the closed outline (crossing count); `edge` gets the distance to it.
template <std::size_t N> bool insideOutline(const Point (&outline)[N], float x, float y, float& edge) {
    bool inside = false;
    edge = 1e9f;
    for (std::size_t i = 0, j = N - 1; i < N; j = i++) {
        const Point &a = outline[i], &b = outline[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        float dx = b.x - a.x, dy = b.y - a.y;
        float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
        edge = std::min(edge, std::hypot(x - (a.x + t * dx), y - (a.y + t * dy)));
    }
    return inside;
}

void paintMedallion(Canvas& c, float x, float y, float cx, float cy, Rgb ink, std::uint32_t seed) {
    const float rx = 0.25f, ry = 0.33f;
    float ex = (x - cx) / rx, ey = (y - cy) / ry;
    float e = std::sqrt(ex * ex + ey * ey);
    if (e > 1.25f) return;
    // Guilloche ring around the oval.
    if (e > 0.98f) {
        float a = std::atan2(ey, ex);
        float t = (e - 0.98f) / 0.25f;
        float d = ropeDistance(a * 0.3f, t, 0.25f * ry, 0.12f, 5);
        c.ink(ink, 0.8f * stroke(d, kPixel * 0.28f));
        c.ink(ink, stroke(std::fabs(e - 1.23f) * ry, kPixel * 0.4f));
        return;
    }
    c.ink(ink, stroke(std::fabs(e - 0.98f) * ry, kPixel * 0.55f));
    // Light engraved ground: fine concentric lines.
    float ring = e * 40;
    c.ink(ink, 0.25f * stroke(std::fabs(ring - std::round(ring)) * ry / 40, kPixel * 0.2f));

    // The portrait: a head and shoulders in profile, looking to the viewer's left, engraved
    // with parallel lines whose weight follows the tone (light from the left).
    float qx = (x - cx) / ry, qy = (y - cy) / ry; // medallion units, equal on both axes
    float edge = 1e9f;
    bool inside = insideOutline(kProfile, qx, qy, edge);
    float tone = -1;
    if (inside) {
        if (qy > 0.3f) {
            tone = 0.55f + 0.25f * clamp01(qx + 0.3f);                                    // the coat
            if (qy > 0.34f && std::fabs(qx + 0.12f) < (qy - 0.34f) * 0.45f) tone = 0.08f; // shirt front
        } else {
            tone = 0.06f + 0.32f * smoothstep(-0.3f, 0.3f, qx); // the face, lit from the front
        }
        // Hair over the crown and the back of the head.
        float hx = (qx - 0.13f) / 0.3f, hy = (qy + 0.45f) / 0.36f;
        if (hx * hx + hy * hy < 1 && qy < 0.05f && qx > -0.2f)
            tone = 0.68f + 0.12f * periodicNoise(qx * 14, qy * 14, 64, seed);
        // The ear, and the eye as a short dark stroke.
        float ex0 = (qx - 0.06f) / 0.055f, ey0 = (qy + 0.2f) / 0.085f;
        if (ex0 * ex0 + ey0 * ey0 < 1) tone = 0.3f + 0.3f * std::sqrt(ex0 * ex0 + ey0 * ey0);
        if (std::fabs(qy + 0.3f) < 0.015f && qx > -0.22f && qx < -0.16f) tone = 1.0f;
        // Engraving lines about two and a half texels apart, slightly tilted.
        const float frequency = 14;
        float f = (qy + qx * 0.12f) * frequency;
        float spacing = ry / frequency;
        float d = std::fabs(f - std::round(f)) * spacing;
        c.ink(mix(kPaper, ink, 0.12f), 1);
        c.ink(ink, stroke(d, spacing * 0.55f * tone));
    }
    if (edge * ry < 3 * kPixel) c.ink(ink, 0.9f * stroke(edge * ry, kPixel * 0.4f));
}

Rgb front(float x, float y) {
    Canvas c;
    paintPaper(c, x, y, 11);
    // A soft coloured wash under the rosette and the numeral side.
    const float rosetteX = 1.36f;
    float wash = smoothstep(0.75f, 0.15f, std::hypot((x - rosetteX) / 0.5f, (y - 0.5f) / 0.42f));
    c.ink(mix(kPaper, kOchre, 0.45f), 0.5f * wash);
    c.ink(kOchre,
          0.75f * stroke(rosetteDistance(x, y, rosetteX, 0.5f, 0.27f, 12, 8, 0.72f, 0.22f), kPixel * 0.3f));
    c.ink(kRose,
          0.6f * stroke(rosetteDistance(x, y, rosetteX, 0.5f, 0.15f, 9, 6, 0.6f, 0.3f), kPixel * 0.3f));
    // A pale ground under the large numeral.
    float ground = smoothstep(0.7f, 0.3f, std::hypot((x - 1.97f) / 0.36f, (y - 0.5f) / 0.3f));
    c.ink(mix(kPaper, rgb255(150, 200, 170), 0.5f), 0.6f * ground);
    paintBorder(c, x, y, kInk);
    paintMedallion(c, x, y, 0.66f, 0.52f, kInk, 23);

    c.ink(kInk, centredText("QUILLABY", x, y, 1.36f, 0.19f, 0.0135f, 0.5f));
    c.ink(kInk, centredText("ONE HUNDRED", x, y, 1.36f, 0.84f, 0.0105f, 0.45f));
    // Denomination: large on the right, small in the corners.
    c.ink(kInk, centredText("100", x, y, 1.97f, 0.5f, 0.031f, 0.55f));
    c.ink(kInk, centredText("100", x, y, 0.27f, 0.19f, 0.016f, 0.55f));
    c.ink(kInk, centredText("100", x, y, 2.1f, 0.84f, 0.016f, 0.55f));
    c.ink(kSerial, centredText("QA 0471925", x, y, 2.0f, 0.19f, 0.0085f, 0.45f));
    return c.colour;
}

Rgb back(float x, float y) {
    Canvas c;
    paintPaper(c, x, y, 37);
    const float cx = kAspect * 0.5f, cy = 0.5f;
    float wash = smoothstep(0.8f, 0.2f, std::hypot((x - cx) / 0.7f, (y - cy) / 0.45f));
    c.ink(mix(kPaper, rgb255(120, 170, 190), 0.5f), 0.6f * wash);
    c.ink(kInkBack, 0.7f * stroke(rosetteDistance(x, y, cx, cy, 0.38f, 16, 10, 0.7f, 0.25f), kPixel * 0.28f));
    c.ink(kRose, 0.55f * stroke(rosetteDistance(x, y, cx, cy, 0.25f, 11, 7, 0.62f, 0.3f), kPixel * 0.28f));
    for (float side : {0.42f, kAspect - 0.42f}) {
        c.ink(kOchre, 0.7f * stroke(rosetteDistance(x, y, side, cy, 0.2f, 8, 6, 0.7f, 0.25f), kPixel * 0.3f));
        c.ink(kInkBack, centredText("100", x, y, side, cy, 0.017f, 0.55f));
    }
    paintBorder(c, x, y, kInkBack);
    c.ink(kInkBack, centredText("100", x, y, cx, cy, 0.036f, 0.6f));
    c.ink(kInkBack, centredText("QUILLABY", x, y, cx, 0.19f, 0.0135f, 0.5f));
    c.ink(kInkBack, centredText("ONE HUNDRED", x, y, cx, 0.84f, 0.0105f, 0.45f));
    return c.colour;
}

} // namespace

Image paintBanknote() {
    Image image(kTextureSize, kTextureSize);
    const int half = kTextureSize / 2;
    for (int py = 0; py < kTextureSize; ++py) {
        for (int px = 0; px < kTextureSize; ++px) {
            bool isFront = py < half;
            int ry = isFront ? py : py - half;
            Rgb sum;
            for (int sy = 0; sy < kSuper; ++sy) {
                for (int sx = 0; sx < kSuper; ++sx) {
                    float x = (px + (sx + 0.5f) / kSuper) / kTextureSize * kAspect;
                    float y = (ry + (sy + 0.5f) / kSuper) / half;
                    sum = sum + (isFront ? front(x, y) : back(x, y));
                }
            }
            image.at(px, py) = sum * (1.0f / (kSuper * kSuper));
        }
    }
    return image;
}

} // namespace assetgen
