// Windows has no X server. The SDL layer asks its X11 helpers only while SDL's video driver is
// "x11", which never happens here; these are their answers for a system without X: no RandR monitor
// list, no server-painted background or server-placed window, no Xft resolution.
#include "platform/x11/X11Monitors.h"
#include "platform/x11/X11WindowBackground.h"
#include "platform/x11/X11WindowPlace.h"
#include "platform/x11/XftDpi.h"

namespace quillaby::platform {

std::unique_ptr<X11Monitors> X11Monitors::Open() {
    return nullptr;
}

X11Monitors::~X11Monitors() = default;

bool X11Monitors::Changed() {
    return false;
}

std::vector<MonitorRect> X11Monitors::Rectangles() {
    return {};
}

bool PaintBlackByServer(SDL_Window*) {
    return false;
}

bool PlaceByServer(SDL_Window*, const MonitorRect&) {
    return false;
}

std::optional<double> ReadXftDpi() {
    return std::nullopt;
}

} // namespace quillaby::platform
