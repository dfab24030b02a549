#include "compose/X11WallpaperLoop.h"

#include "platform/x11/X11WindowBackground.h"

namespace quillaby::platform {

X11WallpaperLoop::X11WallpaperLoop(SDL_Window* window, std::unique_ptr<StopSignals> stop, DisplayPause pause)
    : FWindow(window), FStop(std::move(stop)), FServer(window), FRoot(window), FPause(std::move(pause)) {
    FStop->Arm();
}

X11WallpaperLoop::~X11WallpaperLoop() {
    // The desktop's own background again, not our last frame.
    if (!FServer.Ended()) RepaintBackground(FWindow);
}

WindowLoop::Next X11WallpaperLoop::Pump() {
    bool rested = false;
    for (;;) {
        if (FStop->Requested()) return Next::End;
        // Input never reaches the root through us; SDL's events only carry its size.
        SDL_Event event;
        while (SDL_PollEvent(&event)) FRoot.Handle(event);
        if (FServer.Ended()) {
            FEnding = "the X server closed the display";
            return Next::End;
        }
        // While the monitors are down the call has waited up to a second, without drawing.
        if (!FPause.Asleep(nullptr)) return rested ? Next::FrameAfterPause : Next::Frame;
        rested = true;
    }
}

} // namespace quillaby::platform
