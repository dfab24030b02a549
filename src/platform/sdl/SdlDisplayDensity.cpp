#include <SDL.h>

#include <cstring>

#include "platform/DisplayDensity.h"
#include "platform/x11/XftDpi.h"

namespace quillaby::platform {

DisplayDensity ReadDisplayDensity() {
    DisplayDensity density;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return density;
    // SDL reads the monitor's millimetres through RandR and never looks at the desktop's resource.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0) density.DesktopDpi = ReadXftDpi();
    float diagonal = 0;
    if (SDL_GetDisplayDPI(0, &diagonal, nullptr, nullptr) == 0 && diagonal > 0) density.MonitorDpi = diagonal;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        density.Width = mode.w;
        density.Height = mode.h;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return density;
}

} // namespace quillaby::platform
