#pragma once
// Where the monitors are: rectangles in the whole desktop's pixel coordinates.
#include <vector>

namespace quillaby::platform {

struct MonitorRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const MonitorRect&) const = default;
};

// The monitors as the desktop lights them, watched for changes.
class MonitorWatch {
  public:
    virtual ~MonitorWatch() = default;
    // True when they changed since the last call (never waits).
    virtual bool Changed() = 0;
    // Every lit monitor; a rectangle shown by two outputs counts once.
    virtual std::vector<MonitorRect> Rectangles() = 0;
};

} // namespace quillaby::platform
