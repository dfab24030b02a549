#pragma once
// A floating-point RGB picture (channels 0..1, row 0 at the top) that the texture painters
// draw into before it is quantised to 8 bits and encoded.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb mix(Rgb a, Rgb b, float t) {
    return a + (b - a) * t;
}
inline Rgb rgb255(int r, int g, int b) {
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

class Image {
  public:
    Image() = default;
    Image(int width, int height, Rgb fill = {})
        : width_(width), height_(height), pixels_(width * height, fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[y * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[y * width_ + x]; }
    // Wrapping access, for pictures that tile.
    const Rgb& wrapped(int x, int y) const {
        x = ((x % width_) + width_) % width_;
        y = ((y % height_) + height_) % height_;
        return at(x, y);
    }

    // Interleaved 8-bit R, G, B rows from the top, rounded and clamped.
    std::vector<std::uint8_t> toBytes() const {
        std::vector<std::uint8_t> out(pixels_.size() * 3);
        for (std::size_t i = 0; i < pixels_.size(); ++i) {
            out[i * 3 + 0] = quantise(pixels_[i].r);
            out[i * 3 + 1] = quantise(pixels_[i].g);
            out[i * 3 + 2] = quantise(pixels_[i].b);
        }
        return out;
    }

  private:
    static std::uint8_t quantise(float v) { return static_cast<std::uint8_t>(clamp01(v) * 255.0f + 0.5f); }

    int width_ = 0, height_ = 0;
    std::vector<Rgb> pixels_;
};

} // namespace assetgen
