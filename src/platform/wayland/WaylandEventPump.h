#pragma once
// The application's queue during a Wayland session: the seat's input on our surfaces first, then
// what SDL reports (the quit request that SIGTERM and SIGINT make, the dialog's window). While
// surfaces are shown, Poll waits on the compositor's socket until one of them may draw its next
// frame: frames come at the outputs' pace, and none while every output is off.
#include <memory>
#include <optional>

#include "platform/EventPump.h"

namespace quillaby::platform {

class WaylandConnection;

class WaylandEventPump final : public EventPump {
  public:
    // The connection must outlive the pump.
    WaylandEventPump(WaylandConnection& connection, std::unique_ptr<EventPump> sdl);
    bool Poll(InputEvent& event) override;
    void Wait() override;

  private:
    WaylandConnection& FConnection;
    std::unique_ptr<EventPump> FSdl;
    std::optional<InputEvent> FPending; // taken from SDL while waiting
};

} // namespace quillaby::platform
