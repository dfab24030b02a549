#pragma once
// Periodic noise for textures that must tile without a seam: every function takes a period
// in lattice cells and repeats exactly over it, so a picture sampled over one period wraps.
#include <cstdint>

namespace assetgen {

// Gradient noise in about -1..1, periodic over `period` cells on both axes.
float periodicNoise(float x, float y, int period, std::uint32_t seed);

// Sum of `octaves` noise layers, each twice the frequency and `gain` times the amplitude of the
// one before; the whole stays periodic over `period` base cells. Result roughly -1..1.
float periodicFbm(float x, float y, int period, int octaves, float gain, std::uint32_t seed);

// Distances to the nearest and second-nearest feature points of a periodic cell pattern with
// one jittered point per cell. `jitter` 0 gives a regular grid, 1 a fully random one.
struct CellDistances {
    float f1 = 0, f2 = 0;
};
CellDistances periodicCells(float x, float y, int period, float jitter, std::uint32_t seed);

} // namespace assetgen
