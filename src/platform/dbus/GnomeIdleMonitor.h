#pragma once
// GNOME's idle monitor (mutter's, on the session bus) as an idle source: an idle watch of the given
// time and, once it fired, a one-shot user-active watch. Watches, not polling of the idle time:
// mutter holds idle watches back while the session reports idle inhibited (a video playing), which
// a poll would not see. Also GNOME's shield (org.gnome.ScreenSaver's ActiveChanged) and the end of
// the session (the bus closed, or mutter's monitor gone from it).
#include <cstdint>
#include <deque>
#include <memory>

#include "platform/IdleSource.h"
#include "platform/dbus/BusConnection.h"

namespace quillaby::platform {

class GnomeIdleMonitor final : public IdleSource {
  public:
    // Null without a session bus, or when no one there offers GNOME's idle monitor.
    static std::unique_ptr<GnomeIdleMonitor> Open(int idleMilliseconds);

    int Descriptor() const override;
    int TimeoutMilliseconds() const override;
    // Raises quillaby::Error when the idle monitor, still on the bus, refuses the watch for the
    // user's return (or does not answer it within a second).
    void Dispatch(std::vector<IdleEvent>& events) override;

  private:
    explicit GnomeIdleMonitor(std::shared_ptr<BusConnection> bus) : FBus(std::move(bus)) {}
    bool Watch(int idleMilliseconds);
    void WatchForActivity();
    void TakeEvents(std::vector<IdleEvent>& events);
    void Gone();

    static int OnWatchFired(sd_bus_message* message, void* self, sd_bus_error* error);
    static int OnShieldChanged(sd_bus_message* message, void* self, sd_bus_error* error);
    static int OnMonitorOwnerChanged(sd_bus_message* message, void* self, sd_bus_error* error);

    std::shared_ptr<BusConnection> FBus;
    BusSlot FWatchFired;
    BusSlot FShieldChanged;
    BusSlot FMonitorOwner;
    uint32_t FIdleWatch = 0;
    uint32_t FActiveWatch = 0; // 0: none armed
    bool FIdle = false;
    bool FWantActiveWatch = false; // the idle watch fired: arm the active watch after reading
    bool FGone = false;
    // Events read and not yet handed out (the shield's state at open among them).
    std::deque<IdleEvent> FEvents;
};

} // namespace quillaby::platform
