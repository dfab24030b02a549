// quillaby-modeswitch [--throw-on-key]
// Loads the stored options, switches the display to the stored full-screen mode (unless
// "DesktopOnly") through a full-screen window, prints "switched WxH" once the display is in it and
// waits: a key or a quit request (SIGTERM, SIGINT, SIGHUP) ends it normally and the desktop's mode
// comes back; with --throw-on-key a key raises an exception instead, which ends the program
// through its handler.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/Error.h"
#include "display/DisplayControl.h"
#include "platform/sdl/SdlDisplayModes.h"
#include "platform/x11/ModeWatchdog.h"
#include "ui/Options.h"

namespace {

int Run(bool throwOnKey) {
    // As the program does on X11: a watchdog process restores the desktop's mode should this die.
    quillaby::platform::SdlDisplayModes platform([] { return quillaby::platform::ModeWatchdog::Start(); });
    TDisplayControl display(platform);
    display.OnEnumerate = [](int32_t depth, int32_t, int32_t, bool& accept) {
        accept = depth == 16 || depth == 32;
    };
    display.Enumerate();

    TOptions options;
    options.SetDefaultOptions(display);
    options.Load(*TRegistry::Open(TRootKey::CurrentUser, "Harnwick Software", "Quillaby", true), display);

    display.SetFullScreen(!options.DesktopOnly);
    const TScreenMode& mode = display.FullScreenMode();
    std::unique_ptr<SDL_Window, void (*)(SDL_Window*)> window(
        SDL_CreateWindow("Quillaby", 0, 0, mode.Width(), mode.Height(), SDL_WINDOW_BORDERLESS),
        SDL_DestroyWindow);
    if (!window) throw quillaby::Error(std::string("SDL window: ") + SDL_GetError());
    const bool switched = platform.AttachWindow(window.get());

    SDL_DisplayMode now{};
    SDL_GetCurrentDisplayMode(0, &now);
    std::printf("%s %dx%d\n", switched && display.FullScreen() ? "switched" : "desktop", now.w, now.h);
    std::fflush(stdout);

    for (;;) {
        SDL_Event e;
        if (!SDL_WaitEvent(&e)) throw quillaby::Error(std::string("SDL events: ") + SDL_GetError());
        if (e.type == SDL_QUIT) break;
        if (e.type == SDL_KEYDOWN) {
            if (throwOnKey) throw quillaby::Error("A key raised this error");
            break;
        }
    }
    display.SetFullScreen(false);
    platform.DetachWindow();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool throwOnKey = argc > 1 && std::strcmp(argv[1], "--throw-on-key") == 0;
    try {
        return Run(throwOnKey);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
