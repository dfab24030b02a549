#include "ScenePreview.h"

#include "Rng.h"
#include "Textures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;
// The scene's defaults: scene units, degrees.
constexpr float kFieldOfView = 75, kViewFar = 10000, kFadeStart = 6000, kFadeEnd = 10000;
constexpr float kBottomY = -3000, kSurfaceY = 5000, kTile = 2000;
constexpr float kBottomCausticsAlpha = 0.35f, kSurfaceCausticsAlpha = 0.65f;

struct Theme {
    Rgb fog, surface, bottom, bubble, note;
    int variant; // texture set 1..3
};

Theme theme(int index) {
    switch (index) {
    case 1:
        return {{0, 0.416f, 0.612f}, {0.008f, 0.51f, 0.706f}, {0, 0.39216f, 0.588f},
                {0.784f, 0.902f, 1}, {0.804f, 0.882f, 1},     2};
    case 2:
        return {{0, 0.624f, 0.459f}, {0.008f, 0.706f, 0.616f}, {0, 0.549f, 0.317f},
                {0.784f, 1, 0.902f}, {0.804f, 1, 0.961f},      3};
    default:
        return {{0, 0.6f, 0.6824f}, {0, 0.612f, 0.7098f}, {0, 0.4706f, 0.55f},
                {0.784f, 1, 1},     {0.7255f, 0.961f, 1}, 1};
    }
}

// Bilinear, repeating; (u, v) as texture coordinates: v = 0 is the picture's bottom row.
Rgb sample(const Image& image, float u, float v) {
    float x = u * image.width() - 0.5f, y = (1 - v) * image.height() - 0.5f;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    Rgb a = mix(image.wrapped(x0, y0), image.wrapped(x0 + 1, y0), fx);
    Rgb b = mix(image.wrapped(x0, y0 + 1), image.wrapped(x0 + 1, y0 + 1), fx);
    return mix(a, b, fy);
}

struct Vec {
    float x, y, z;
};
Vec rotateX(Vec v, float a) {
    return {v.x, v.y * std::cos(a) - v.z * std::sin(a), v.y * std::sin(a) + v.z * std::cos(a)};
}
Vec rotateY(Vec v, float a) {
    return {v.x * std::cos(a) + v.z * std::sin(a), v.y, -v.x * std::sin(a) + v.z * std::cos(a)};
}
Vec rotateZ(Vec v, float a) {
    return {v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a), v.z};
}

struct Note {
    Vec position;
    float ry, rx, rz; // radians, applied as the scene does: y, then x, then z
    Vec toLocal(Vec v) const { return rotateZ(rotateX(rotateY(v, -ry), -rx), -rz); }
    Vec toWorld(Vec v) const { return rotateY(rotateX(rotateZ(v, rz), rx), ry); }
};

struct Textures {
    Image sand, surface, caustics, note, bubble, bubbleAlpha;
};

Rgb environment(const Textures& t, const Theme& th, Vec d, float scroll) {
    if (d.y < 0) {
        float k = kBottomY / d.y, depth = k * -d.z;
        if (depth <= kViewFar) {
            float x = k * d.x, u = x / kTile, v = depth / kTile;
            Rgb c = sample(t.sand, u, v);
            c = mix(c, sample(t.caustics, u + scroll, v + scroll), kBottomCausticsAlpha);
            return mix(c, th.bottom, clamp01((depth - kFadeStart) / (kFadeEnd - kFadeStart)));
        }
    } else if (d.y > 0) {
        float k = kSurfaceY / d.y, depth = k * -d.z;
        if (depth <= kViewFar) {
            // The surface is the bottom turned half a circle about z, so u runs the other way.
            float x = k * d.x, u = -x / kTile, v = depth / kTile;
            Rgb c = sample(t.surface, u, v);
            c = mix(c, sample(t.caustics, u - scroll, v + scroll), kSurfaceCausticsAlpha);
            return mix(c, th.surface, clamp01((depth - kFadeStart) / (kFadeEnd - kFadeStart)));
        }
    }
    float y = d.y / -d.z * kViewFar;
    return mix(th.surface, th.bottom, clamp01((kSurfaceY - y) / (kSurfaceY - kBottomY)));
}

} // namespace

Image renderScenePreview(int themeIndex, int width, int height) {
    const Theme th = theme(themeIndex);
    Textures t{paintBottom(th.variant), paintWater(th.variant), paintCaustics(th.variant),
               paintBanknote(),         paintBubble(),          paintBubbleAlpha()};
    const float tanHalf = std::tan(kFieldOfView * 0.5f * kPi / 180),
                aspect = static_cast<float>(width) / height;

    Rng rng(1234 + themeIndex);
    std::vector<Note> notes;
    for (int i = 0; i < 14; ++i) {
        float z = -static_cast<float>(rng.uniform(1400, 7000));
        float h = tanHalf * -z;
        notes.push_back({{static_cast<float>(rng.uniform(-1, 1)) * h * aspect,
                          static_cast<float>(rng.uniform(-0.9, 0.9)) * h, z},
                         static_cast<float>(rng.uniform(-0.5, 0.5)),
                         static_cast<float>(rng.uniform(0, kPi)),
                         static_cast<float>(rng.uniform(-0.5, 0.5))});
    }
    std::vector<Vec> bubbles;
    for (int i = 0; i < 60; ++i) {
        float z = -static_cast<float>(rng.uniform(1200, 7000));
        float h = tanHalf * -z;
        bubbles.push_back({static_cast<float>(rng.uniform(-1, 1)) * h * aspect,
                           static_cast<float>(rng.uniform(-1, 1)) * h, z});
    }
    std::sort(bubbles.begin(), bubbles.end(), [](const Vec& a, const Vec& b) { return a.z < b.z; });
    const Vec light = {0.57735f, 0.57735f, 0.57735f}; // towards the light shining along (-1, -1, -1)

    Image image(width, height);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            Vec d{((px + 0.5f) / width * 2 - 1) * tanHalf * aspect, (1 - (py + 0.5f) / height * 2) * tanHalf,
                  -1};
            Rgb c = environment(t, th, d, 0.37f);
            float nearest = 1e30f;
            for (const Note& n : notes) {
                Vec o = n.toLocal({-n.position.x, -n.position.y, -n.position.z}), r = n.toLocal(d);
                if (std::fabs(r.z) < 1e-6f) continue;
                float k = -o.z / r.z;
                if (k <= 0 || k >= nearest) continue;
                float x = o.x + k * r.x, y = o.y + k * r.y;
                if (std::fabs(x) > 512 || std::fabs(y) > 215) continue;
                bool front = r.z < 0;
                float u = (x + 512) / 1024, v = (y + 215) / 430;
                Rgb texel = front ? sample(t.note, u, 0.5f + v * 0.5f) : sample(t.note, 1 - u, v * 0.5f);
                Vec normal = n.toWorld({0, 0, front ? 1.0f : -1.0f});
                float lit = 0.6f + 0.4f * std::max(0.0f, normal.x * light.x + normal.y * light.y +
                                                             normal.z * light.z);
                c = texel * th.note * lit;
                nearest = k;
            }
            for (const Vec& b : bubbles) {
                float k = b.z / d.z;
                if (k >= nearest) continue;
                float u = (k * d.x - b.x + 40) / 80, v = (k * d.y - b.y + 40) / 80;
                if (u < 0 || u > 1 || v < 0 || v > 1) continue;
                float alpha = sample(t.bubbleAlpha, u, v).r;
                if (alpha > 0.1f) c = mix(c, sample(t.bubble, u, v) * th.bubble, alpha);
            }
            image.at(px, py) = c;
        }
    }
    return image;
}

} // namespace assetgen
