#include "AssetSet.h"
#include "Textures.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Image programIcon(int size) {
    const Image logo = paintLogo(paintBanknote());
    // The logo is wider than high: its middle square, resampled bilinearly.
    const int side = std::min(logo.width(), logo.height());
    const float x0 = (logo.width() - side) / 2.0f;
    const float y0 = (logo.height() - side) / 2.0f;
    const float scale = static_cast<float>(side) / size;
    Image icon(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Centre of the icon pixel in logo pixels, less half a pixel for the sample grid.
            const float u = std::clamp(x0 + (x + 0.5f) * scale - 0.5f, 0.0f, logo.width() - 1.0f);
            const float v = std::clamp(y0 + (y + 0.5f) * scale - 0.5f, 0.0f, logo.height() - 1.0f);
            const int ix = std::min(static_cast<int>(u), logo.width() - 2);
            const int iy = std::min(static_cast<int>(v), logo.height() - 2);
            const float fx = u - ix, fy = v - iy;
            const Rgb top = mix(logo.at(ix, iy), logo.at(ix + 1, iy), fx);
            const Rgb bottom = mix(logo.at(ix, iy + 1), logo.at(ix + 1, iy + 1), fx);
            icon.at(x, y) = mix(top, bottom, fy);
        }
    return icon;
}

} // namespace assetgen
