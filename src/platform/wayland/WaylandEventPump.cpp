#include "platform/wayland/WaylandEventPump.h"

#include "platform/wayland/WaylandConnection.h"

namespace quillaby::platform {
namespace {

// How long one wait on the compositor lasts before SDL's queue is looked at again, milliseconds.
constexpr int kWaitSliceMs = 100;

} // namespace

WaylandEventPump::WaylandEventPump(WaylandConnection& connection, std::unique_ptr<EventPump> sdl)
    : FConnection(connection), FSdl(std::move(sdl)) {}

bool WaylandEventPump::Poll(InputEvent& event) {
    if (FPending) {
        event = *FPending;
        FPending.reset();
        return true;
    }
    FConnection.Dispatch(0);
    for (;;) {
        if (FConnection.TakeInput(event)) return true;
        if (FSdl->Poll(event)) return true;
        if (FConnection.FrameDue()) return false;
        FConnection.Dispatch(kWaitSliceMs);
    }
}

void WaylandEventPump::Wait() {
    InputEvent event;
    while (!FPending) {
        FConnection.Dispatch(kWaitSliceMs);
        if (FConnection.HasInput()) return;
        // SDL's queue cannot wake the wait on the compositor: it is looked at between the waits.
        if (FSdl->Poll(event)) FPending = event;
    }
}

} // namespace quillaby::platform
