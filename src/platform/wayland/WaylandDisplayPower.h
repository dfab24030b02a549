#pragma once
// The monitors' power in a Wayland session: the compositor sends no frame callbacks to an output it
// has turned off, so the run's surfaces draw nothing there and the event pump sleeps on its own;
// the frame loop need not ask and counts the monitors as lit.
#include "platform/DisplayPower.h"
#include "platform/wayland/WaylandConnection.h"

namespace quillaby::platform {

class WaylandDisplayPower final : public DisplayPower {
  public:
    explicit WaylandDisplayPower(WaylandConnection& connection) : FConnection(connection) {}
    bool On() override { return true; }
    void Wait(int milliseconds) override { FConnection.Dispatch(milliseconds); }

  private:
    WaylandConnection& FConnection;
};

} // namespace quillaby::platform
