#include "Tiling.h"

#include "Noise.h"

#include <cmath>

namespace assetgen {

float causticNetwork(float u, float v, int period, float sharpness, std::uint32_t seed) {
    float x = u * period, y = v * period;
    // The warp is sampled on the cell lattice itself so that it repeats with the cells.
    float ax = periodicFbm(x, y, period, 3, 0.5f, seed + 1);
    float ay = periodicFbm(x, y, period, 3, 0.5f, seed + 2);
    CellDistances d = periodicCells(x + 0.45f * ax, y + 0.45f * ay, period, 0.85f, seed);
    float edge = d.f2 - d.f1;
    return std::exp(-edge * sharpness);
}

} // namespace assetgen
