// Bubbling water: clusters of bubble "plinks" (a bubble rings at its resonance, pitch rising as
// it shrinks and rises, damped within tens of milliseconds), a few low gurgles and a soft
// band of water noise. Everything is written into a circular buffer so the loop has no seam.
#include "Rng.h"
#include "Sound.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Loop {
    std::vector<double> left, right;
    explicit Loop(int frames) : left(frames), right(frames) {}
    int frames() const { return static_cast<int>(left.size()); }
    void add(int frame, double l, double r) {
        int i = frame % frames();
        left[i] += l;
        right[i] += r;
    }
};

// One damped, rising sine. `pan` 0 is hard left, 1 hard right.
void addPlink(Loop& loop, int start, double frequency, double rise, double decay, double amplitude,
              double pan) {
    const double attack = 0.0015; // seconds: softens the onset without dulling it
    int length = static_cast<int>(decay * 7 * kSoundRate);
    double gainL = std::cos(pan * kTwoPi / 4), gainR = std::sin(pan * kTwoPi / 4);
    double phase = 0;
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / kSoundRate;
        double f = frequency * (1 + rise * t);
        phase += kTwoPi * f / kSoundRate;
        double envelope = std::exp(-t / decay) * std::min(1.0, t / attack);
        double v = amplitude * envelope * std::sin(phase);
        loop.add(start + i, v * gainL, v * gainR);
    }
}

void addBubbles(Loop& loop, Rng& rng) {
    const int clusters = 26;
    for (int c = 0; c < clusters; ++c) {
        int at = rng.below(loop.frames());
        int count = 1 + rng.below(6);
        double pan = rng.uniform(0.15, 0.85);
        double size = rng.uniform(); // 0 small and high, 1 large and low
        for (int k = 0; k < count; ++k) {
            double frequency = 2400 * std::pow(0.2, size) * rng.uniform(0.8, 1.25);
            double decay = 0.008 + 0.03 * size * rng.uniform(0.6, 1.2);
            double rise = rng.uniform(5.0, 14.0); // per second: a clear upward "bloop" within the ring
            double amplitude = rng.uniform(0.25, 0.6) * (0.6 + 0.6 * size);
            addPlink(loop, at, frequency, rise, decay, amplitude,
                     std::clamp(pan + rng.uniform(-0.1, 0.1), 0.0, 1.0));
            at += static_cast<int>(rng.uniform(0.018, 0.09) * kSoundRate);
        }
    }
    // Deep gurgles from large bubbles.
    for (int g = 0; g < 7; ++g) {
        addPlink(loop, rng.below(loop.frames()), rng.uniform(140, 260), rng.uniform(0.5, 1.5),
                 rng.uniform(0.04, 0.08), rng.uniform(0.25, 0.4), rng.uniform(0.3, 0.7));
    }
}

// Band-limited noise whose loudness swells slowly; run twice around the loop so the filters'
// state at the start equals their state at the end.
void addWaterNoise(Loop& loop, Rng& rng) {
    const int n = loop.frames();
    std::vector<double> white(static_cast<std::size_t>(n) * 2);
    for (double& w : white) w = rng.uniform(-1, 1);
    const double low = 1 - std::exp(-kTwoPi * 700.0 / kSoundRate);
    const double high = 1 - std::exp(-kTwoPi * 120.0 / kSoundRate);
    double l1[2] = {0, 0}, l2[2] = {0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < n; ++i) {
            double t = static_cast<double>(i) / n; // whole cycles over the loop keep it periodic
            double swell = 0.6 + 0.25 * std::sin(kTwoPi * 3 * t + 0.7) + 0.15 * std::sin(kTwoPi * 7 * t);
            double out[2];
            for (int ch = 0; ch < 2; ++ch) {
                double x = white[static_cast<std::size_t>(i) * 2 + ch];
                l1[ch] += low * (x - l1[ch]);
                l2[ch] += high * (l1[ch] - l2[ch]);
                out[ch] = (l1[ch] - l2[ch]) * 0.2 * swell;
            }
            if (pass == 1) loop.add(i, out[0], out[1]);
        }
    }
}

} // namespace

std::vector<std::int16_t> synthesiseBubbles() {
    Rng rng(0x5B0B1E5ull);
    Loop loop(kSoundFrames);
    addWaterNoise(loop, rng);
    addBubbles(loop, rng);

    double peak = 1e-9;
    for (int i = 0; i < loop.frames(); ++i)
        peak = std::max({peak, std::fabs(loop.left[i]), std::fabs(loop.right[i])});
    const double scale = 0.6 * 32767 / peak; // about -4.4 dB below full scale
    std::vector<std::int16_t> out(static_cast<std::size_t>(loop.frames()) * 2);
    for (int i = 0; i < loop.frames(); ++i) {
        out[i * 2] = static_cast<std::int16_t>(std::lround(loop.left[i] * scale));
        out[i * 2 + 1] = static_cast<std::int16_t>(std::lround(loop.right[i] * scale));
    }
    return out;
}

} // namespace assetgen
