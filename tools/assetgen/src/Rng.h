#pragma once
// Deterministic pseudo-random numbers for the asset generator: every asset draws from
// its own fixed seed so that one asset's change never shifts another's.
#include <cstdint>

namespace assetgen {

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        // splitmix64: small, fast and well mixed.
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(uniform() * n); }

  private:
    std::uint64_t state_;
};

// A stateless hash of lattice coordinates, for noise that must be a pure function of position.
inline std::uint32_t hash3(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u ^ x * 0x85EBCA77u ^ y * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

inline float hashUnit(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    return static_cast<float>(hash3(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

} // namespace assetgen
