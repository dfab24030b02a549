#include "compose/WaylandWallpaperLoop.h"

#include <algorithm>
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

bool WaylandWallpaperLoop::TakeEvents() {
    if (FStop->Requested()) return true;
    FConnection.Dispatch(0);
    InputEvent ignored;
    while (FConnection.TakeInput(ignored)) {
    }
    // An output's removal may come just after its surface's closing: looked at again after a wait.
    if (FConnection.ClosedWhileOutputsStay()) {
        FConnection.Dispatch(kWaitSliceMs);
        if (FConnection.ClosedWhileOutputsStay()) {
            FEnding = "the compositor closed every surface of the wallpaper";
            return true;
        }
    }
    return false;
}

WindowLoop::Next WaylandWallpaperLoop::Pump() {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (TakeEvents()) return Next::End;
        if (FConnection.FrameDue())
            return std::chrono::steady_clock::now() - start > kPause ? Next::FrameAfterPause : Next::Frame;
        FConnection.Dispatch(kWaitSliceMs);
    }
}

// Nothing is committed meanwhile: the compositor keeps showing the last frame and sends no callbacks.
WindowLoop::Next WaylandWallpaperLoop::Rest(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (TakeEvents()) return Next::End;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now())
                .count();
        if (left <= 0) return Next::Frame;
        FConnection.Dispatch(static_cast<int>(std::min<long long>(left, kWaitSliceMs)));
    }
}

} // namespace quillaby::platform
