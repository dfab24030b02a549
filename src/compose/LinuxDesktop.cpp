#include "compose/LinuxDesktop.h"

#include <cstring>

#include "platform/x11/X11Monitors.h"
#include "platform/x11/X11WindowBackground.h"
#include "platform/x11/X11WindowPlace.h"
#include "platform/x11/XftDpi.h"

namespace quillaby::platform {
namespace {

bool OnX11() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "x11") == 0;
}

bool OnWayland() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "wayland") == 0;
}

} // namespace

std::unique_ptr<MonitorWatch> LinuxDesktop::WatchMonitors() {
    if (!OnX11()) return nullptr;
    return X11Monitors::Open();
}

bool LinuxDesktop::PaintBlack(SDL_Window* window) {
    return PaintBlackByServer(window);
}

bool LinuxDesktop::Place(SDL_Window* window, const MonitorRect& rect) {
    return PlaceByServer(window, rect);
}

bool LinuxDesktop::CoversFullScreen() {
    return OnWayland();
}

std::optional<double> LinuxDesktop::TextDpi() {
    // SDL reads the monitor's millimetres through RandR and never looks at the desktop's resource.
    if (!OnX11()) return std::nullopt;
    return ReadXftDpi();
}

} // namespace quillaby::platform
