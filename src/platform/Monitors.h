#pragma once
// Where the monitors are: rectangles in the whole desktop's pixel coordinates.
namespace quillaby::platform {

struct MonitorRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const MonitorRect&) const = default;
};

} // namespace quillaby::platform
