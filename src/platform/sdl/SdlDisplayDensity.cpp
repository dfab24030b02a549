#include "platform/sdl/SdlDisplayDensity.h"

namespace quillaby::platform {

DisplayDensity ReadSdlDisplayDensity(SdlDesktop& desktop) {
    DisplayDensity density;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return density;
    // SDL reads the monitor's millimetres and never asks the desktop.
    density.DesktopDpi = desktop.TextDpi();
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
