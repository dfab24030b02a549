#pragma once
// The X screen's monitors as RandR has them lit now (one rectangle per CRTC with a mode), and word
// when that changes: an output plugged or unplugged, a mode set by any program. Its own connection,
// so that no event of SDL's queue is taken away.
#include <memory>
#include <vector>

#include "platform/Monitors.h"

namespace quillaby::platform {

class X11Monitors final : public MonitorWatch {
  public:
    // Null when there is no X display or it has no RandR 1.2.
    static std::unique_ptr<X11Monitors> Open();
    ~X11Monitors() override;
    X11Monitors(const X11Monitors&) = delete;
    X11Monitors& operator=(const X11Monitors&) = delete;

    // A change is what the server reported since the last call.
    bool Changed() override;
    // In the server's CRTC order.
    std::vector<MonitorRect> Rectangles() override;

  private:
    X11Monitors(void* display, int eventBase) : FDisplay(display), FEventBase(eventBase) {}
    void* FDisplay; // Display*
    int FEventBase;
};

} // namespace quillaby::platform
