#pragma once
// The still picture of the preview mode: a window inside the host window (the system's preview
// area) showing a picture stretched over the host, redrawn when needed and resized with the host.
// Its event queue reports Quit once the host window has gone.
#include <cstdint>
#include <vector>

namespace quillaby::platform {

struct RgbPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // 0xRRGGBB, rows from the top
};

} // namespace quillaby::platform
