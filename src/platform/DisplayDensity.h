#pragma once
// How dense the desktop's pixels are, as the desktop and the monitor tell it.
#include <optional>

namespace quillaby::platform {

struct DisplayDensity {
    // Dots per inch the desktop asks fonts to be drawn at (the X resource Xft.dpi), if it says.
    std::optional<double> DesktopDpi;
    // Dots per inch of the first monitor from its size in millimetres, if it reports one.
    std::optional<double> MonitorDpi;
    // The first monitor's desktop size in pixels; 0 when unknown.
    int Width = 0;
    int Height = 0;
};

} // namespace quillaby::platform
