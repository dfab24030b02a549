#include "compose/WaylandWallpaperLoop.h"

#include <chrono>

#include "platform/EventPump.h"
#include "platform/wayland/WaylandConnection.h"

namespace quillaby::platform {
namespace {

// One wait on the compositor before the stop signals are looked at again, milliseconds.
constexpr int kWaitSliceMs = 100;
// A wait for the next frame this long means the outputs were off or hidden: that time is no step of
// the scene.
constexpr std::chrono::seconds kPause{1};

} // namespace

WaylandWallpaperLoop::WaylandWallpaperLoop(WaylandConnection& connection, std::unique_ptr<StopSignals> stop)
    : FConnection(connection), FStop(std::move(stop)) {
    FStop->Arm();
}

WindowLoop::Next WaylandWallpaperLoop::Pump() {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (FStop->Requested()) return Next::End;
        FConnection.Dispatch(0);
        InputEvent ignored;
        while (FConnection.TakeInput(ignored)) {
        }
        // An output's removal may come just after its surface's closing: looked at again after a wait.
        if (FConnection.ClosedWhileOutputsStay()) {
            FConnection.Dispatch(kWaitSliceMs);
            if (FConnection.ClosedWhileOutputsStay()) {
                FEnding = "the compositor closed every surface of the wallpaper";
                return Next::End;
            }
        }
        if (FConnection.FrameDue())
            return std::chrono::steady_clock::now() - start > kPause ? Next::FrameAfterPause : Next::Frame;
        FConnection.Dispatch(kWaitSliceMs);
    }
}

} // namespace quillaby::platform
