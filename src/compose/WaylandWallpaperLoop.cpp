#include "compose/WaylandWallpaperLoop.h"

#include <chrono>

#include "base/Error.h"
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
        if (FStop->Requested() || !Dispatch(0)) return Next::End;
        InputEvent ignored;
        while (FConnection.TakeInput(ignored)) {
        }
        if (FConnection.AllClosed()) {
            FEnding = "the compositor closed every surface of the wallpaper";
            return Next::End;
        }
        if (FConnection.FrameDue())
            return std::chrono::steady_clock::now() - start > kPause ? Next::FrameAfterPause : Next::Frame;
        if (!Dispatch(kWaitSliceMs)) return Next::End;
    }
}

bool WaylandWallpaperLoop::Dispatch(int timeoutMs) {
    // The compositor going away is how a wallpaper's session ends: a normal end, with its reason.
    try {
        FConnection.Dispatch(timeoutMs);
        return true;
    } catch (const Error& e) {
        FEnding = e.what();
        return false;
    }
}

} // namespace quillaby::platform
