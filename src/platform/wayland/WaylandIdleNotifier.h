#pragma once
// Idleness as a Wayland compositor tells it, on a connection of its own: ext-idle-notify where the
// compositor offers it (it honours the compositor's idle inhibitors), else KDE's older idle protocol
// (sway 1.7 has only that one). One notification, for the watched time, on the first seat.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/IdleSource.h"

struct wl_display;
struct wl_registry;
struct wl_registry_listener;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct ext_idle_notification_v1_listener;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct org_kde_kwin_idle_timeout_listener;

namespace quillaby::platform {

class WaylandIdleNotifier final : public IdleSource {
  public:
    // Null when no compositor answers at WAYLAND_DISPLAY (or it is unset), or it offers neither
    // idle protocol, or no seat. `idleMilliseconds`: the idle time the compositor watches for.
    static std::unique_ptr<WaylandIdleNotifier> Open(int idleMilliseconds);
    ~WaylandIdleNotifier() override;
    WaylandIdleNotifier(const WaylandIdleNotifier&) = delete;
    WaylandIdleNotifier& operator=(const WaylandIdleNotifier&) = delete;

    // "ext-idle-notify" or "org_kde_kwin_idle".
    std::string ProtocolName() const;
    // The display's descriptor; -1 once the connection closed (a hung-up socket stays readable).
    int Descriptor() const override;
    void Dispatch(std::vector<IdleEvent>& events) override;

  private:
    explicit WaylandIdleNotifier(wl_display* display);
    bool Watch(uint32_t idleMilliseconds);
    void Lose(std::vector<IdleEvent>& events);

    static const wl_registry_listener kRegistry;
    static const ext_idle_notification_v1_listener kNotification;
    static const org_kde_kwin_idle_timeout_listener kTimeout;

    wl_display* FDisplay;
    wl_registry* FRegistry = nullptr;
    // Registry names of the globals offered (0: not offered), bound once all have been seen.
    uint32_t FSeatName = 0;
    uint32_t FNotifierName = 0;
    uint32_t FKdeIdleName = 0;
    wl_seat* FSeat = nullptr;
    ext_idle_notifier_v1* FNotifier = nullptr;
    ext_idle_notification_v1* FNotification = nullptr;
    org_kde_kwin_idle* FKdeIdle = nullptr;
    org_kde_kwin_idle_timeout* FTimeout = nullptr;
    // What the listeners heard during a dispatch, handed out by Dispatch.
    std::vector<IdleEvent> FHeard;
    bool FGone = false;
};

} // namespace quillaby::platform
