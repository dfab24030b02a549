#include "platform/x11/XftDpi.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cstdlib>
#include <memory>

namespace quillaby::platform {

std::optional<double> ReadXftDpi() {
    const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display) return std::nullopt;
    const char* resources = XResourceManagerString(display.get());
    if (!resources) return std::nullopt;
    XrmInitialize();
    const std::unique_ptr<_XrmHashBucketRec, void (*)(XrmDatabase)> database(XrmGetStringDatabase(resources),
                                                                             XrmDestroyDatabase);
    if (!database) return std::nullopt;
    char* type = nullptr;
    XrmValue value{};
    if (!XrmGetResource(database.get(), "Xft.dpi", "Xft.Dpi", &type, &value) || !value.addr)
        return std::nullopt;
    char* end = nullptr;
    const double dpi = std::strtod(value.addr, &end);
    if (end == value.addr || !(dpi > 0)) return std::nullopt;
    return dpi;
}

} // namespace quillaby::platform
