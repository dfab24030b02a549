#include "scene/SceneRandom.h"

#include <chrono>

namespace quillaby::scene {

namespace {

// Spreads one 64-bit seed over the generator's whole state.
uint64_t SplitMix64(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t RotateLeft(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

void UniformRandom::Seed(uint64_t seed) {
    for (uint64_t& s : FState) s = SplitMix64(seed);
}

// xoshiro256**: fast, small, and the same sequence on every platform and standard library.
uint64_t UniformRandom::NextBits() {
    const uint64_t result = RotateLeft(FState[1] * 5, 7) * 9;
    const uint64_t t = FState[1] << 17;
    FState[2] ^= FState[0];
    FState[3] ^= FState[1];
    FState[1] ^= FState[2];
    FState[0] ^= FState[3];
    FState[2] ^= t;
    FState[3] = RotateLeft(FState[3], 45);
    return result;
}

double UniformRandom::Next() {
    return static_cast<double>(NextBits() >> 11) * 0x1.0p-53;
}

int UniformRandom::NextBelow(int n) {
    if (n <= 0) return 0;
    // Multiply-shift on the top 32 bits: uniform enough for the small ranges the scene asks for.
    return static_cast<int>(((NextBits() >> 32) * static_cast<uint64_t>(n)) >> 32);
}

UniformRandom& SceneRandom() {
    static UniformRandom generator;
    return generator;
}

void RandomizeFromClock() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    SceneRandom().Seed(static_cast<uint64_t>(now));
}

void SeedRandom(uint64_t seed) {
    SceneRandom().Seed(seed);
}

} // namespace quillaby::scene
