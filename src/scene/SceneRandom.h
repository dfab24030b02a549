#pragma once
// The program's one uniform random generator. It is process-wide on purpose: every
// particle birth draws from the same sequence, so a single seed reproduces a whole run.
#include <cstdint>

namespace quillaby::scene {

class UniformRandom {
  public:
    explicit UniformRandom(uint64_t seed = 0) { Seed(seed); }

    void Seed(uint64_t seed);
    // A uniform number in [0, 1) with 53 random bits.
    double Next();
    // A uniform integer in 0 .. n - 1; 0 when n <= 0.
    int NextBelow(int n);

  private:
    uint64_t NextBits();
    uint64_t FState[4];
};

// The process-wide generator.
UniformRandom& SceneRandom();
// Seeds the process-wide generator once from the clock (a run that looks different every time).
void RandomizeFromClock();
// Seeds the process-wide generator with a fixed value (reproducible runs and tests).
void SeedRandom(uint64_t seed);

// r: a fresh uniform number in [0, 1) from the process-wide generator.
inline double Random() {
    return SceneRandom().Next();
}
// Random(n): a uniform integer in 0 .. n - 1.
inline int Random(int n) {
    return SceneRandom().NextBelow(n);
}

} // namespace quillaby::scene
