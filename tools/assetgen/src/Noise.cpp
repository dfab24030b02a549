#include "Noise.h"

#include "Rng.h"

#include <cmath>

namespace assetgen {

namespace {

int wrap(int v, int period) {
    return ((v % period) + period) % period;
}

float fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Sixteen evenly spread unit gradients; a lattice point picks one by its hash.
struct GradientTable {
    float x[16], y[16];
    GradientTable() {
        for (int i = 0; i < 16; ++i) {
            x[i] = std::cos(i * 6.2831853f / 16 + 0.1f);
            y[i] = std::sin(i * 6.2831853f / 16 + 0.1f);
        }
    }
};

float gradientDot(int ix, int iy, float dx, float dy, int period, std::uint32_t seed) {
    static const GradientTable table;
    std::uint32_t h = hash3(wrap(ix, period), wrap(iy, period), seed) >> 28;
    return table.x[h] * dx + table.y[h] * dy;
}

} // namespace

float periodicNoise(float x, float y, int period, std::uint32_t seed) {
    int ix = static_cast<int>(std::floor(x));
    int iy = static_cast<int>(std::floor(y));
    float fx = x - ix, fy = y - iy;
    float n00 = gradientDot(ix, iy, fx, fy, period, seed);
    float n10 = gradientDot(ix + 1, iy, fx - 1, fy, period, seed);
    float n01 = gradientDot(ix, iy + 1, fx, fy - 1, period, seed);
    float n11 = gradientDot(ix + 1, iy + 1, fx - 1, fy - 1, period, seed);
    float u = fade(fx), v = fade(fy);
    float a = n00 + (n10 - n00) * u;
    float b = n01 + (n11 - n01) * u;
    return (a + (b - a) * v) * 1.41421356f;
}

float periodicFbm(float x, float y, int period, int octaves, float gain, std::uint32_t seed) {
    float sum = 0, amplitude = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * periodicNoise(x, y, period, seed + o * 1013u);
        norm += amplitude;
        amplitude *= gain;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / norm;
}

CellDistances periodicCells(float x, float y, int period, float jitter, std::uint32_t seed) {
    int ix = static_cast<int>(std::floor(x));
    int iy = static_cast<int>(std::floor(y));
    // Squared distances while searching; with jitter below 1 the nearest two points lie in the
    // surrounding 3 x 3 cells.
    CellDistances d{1e9f, 1e9f};
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            int cx = ix + ox, cy = iy + oy;
            int wx = wrap(cx, period), wy = wrap(cy, period);
            float px = cx + 0.5f + (hashUnit(wx, wy, seed) - 0.5f) * jitter;
            float py = cy + 0.5f + (hashUnit(wx, wy, seed ^ 0x5bd1e995u) - 0.5f) * jitter;
            float dist = (px - x) * (px - x) + (py - y) * (py - y);
            if (dist < d.f1) {
                d.f2 = d.f1;
                d.f1 = dist;
            } else if (dist < d.f2) {
                d.f2 = dist;
            }
        }
    }
    d.f1 = std::sqrt(d.f1);
    d.f2 = std::sqrt(d.f2);
    return d;
}

} // namespace assetgen
