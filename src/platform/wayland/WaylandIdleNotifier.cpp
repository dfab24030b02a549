#include "platform/wayland/WaylandIdleNotifier.h"

#include <poll.h>
#include <wayland-client.h>

#include <cstdlib>
#include <cstring>

#include "ext-idle-notify-v1-client-protocol.h"
#include "kde-idle-client-protocol.h"

namespace quillaby::platform {
namespace {

// Version 1 of each is all this needs; the seat is only named in requests, never listened to.
constexpr uint32_t kVersion = 1;

WaylandIdleNotifier& Self(void* data) {
    return *static_cast<WaylandIdleNotifier*>(data);
}

} // namespace

std::unique_ptr<WaylandIdleNotifier> WaylandIdleNotifier::Open(int idleMilliseconds) {
    // Unset, libwayland would try wayland-0: an X session is not to be watched through a compositor
    // that happens to run beside it.
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<WaylandIdleNotifier> notifier(new WaylandIdleNotifier(display));
    if (wl_display_roundtrip(display) < 0) return nullptr;
    if (!notifier->Watch(static_cast<uint32_t>(idleMilliseconds < 0 ? 0 : idleMilliseconds))) return nullptr;
    return notifier;
}

WaylandIdleNotifier::WaylandIdleNotifier(wl_display* display) : FDisplay(display) {
    FRegistry = wl_display_get_registry(FDisplay);
    wl_registry_add_listener(FRegistry, &kRegistry, this);
}

WaylandIdleNotifier::~WaylandIdleNotifier() {
    if (FNotification) ext_idle_notification_v1_destroy(FNotification);
    if (FTimeout) org_kde_kwin_idle_timeout_release(FTimeout);
    if (FNotifier) ext_idle_notifier_v1_destroy(FNotifier);
    if (FKdeIdle) org_kde_kwin_idle_destroy(FKdeIdle);
    if (FSeat) wl_seat_destroy(FSeat);
    wl_registry_destroy(FRegistry);
    wl_display_disconnect(FDisplay);
}

const wl_registry_listener WaylandIdleNotifier::kRegistry = {
    [](void* data, wl_registry*, uint32_t name, const char* interface, uint32_t) {
        WaylandIdleNotifier& self = Self(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self.FSeatName)
            self.FSeatName = name;
        else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
            self.FNotifierName = name;
        else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
            self.FKdeIdleName = name;
    },
    [](void*, wl_registry*, uint32_t) {},
};

bool WaylandIdleNotifier::Watch(uint32_t idleMilliseconds) {
    if (!FSeatName || (!FNotifierName && !FKdeIdleName)) return false;
    FSeat = static_cast<wl_seat*>(wl_registry_bind(FRegistry, FSeatName, &wl_seat_interface, kVersion));
    if (FNotifierName) {
        FNotifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(FRegistry, FNotifierName, &ext_idle_notifier_v1_interface, kVersion));
        FNotification = ext_idle_notifier_v1_get_idle_notification(FNotifier, idleMilliseconds, FSeat);
        ext_idle_notification_v1_add_listener(FNotification, &kNotification, this);
    } else {
        FKdeIdle = static_cast<org_kde_kwin_idle*>(
            wl_registry_bind(FRegistry, FKdeIdleName, &org_kde_kwin_idle_interface, kVersion));
        FTimeout = org_kde_kwin_idle_get_idle_timeout(FKdeIdle, FSeat, idleMilliseconds);
        org_kde_kwin_idle_timeout_add_listener(FTimeout, &kTimeout, this);
    }
    return wl_display_flush(FDisplay) >= 0;
}

const ext_idle_notification_v1_listener WaylandIdleNotifier::kNotification = {
    [](void* data, ext_idle_notification_v1*) { Self(data).FHeard.push_back(IdleEvent::Idle); },
    [](void* data, ext_idle_notification_v1*) { Self(data).FHeard.push_back(IdleEvent::Active); },
};

const org_kde_kwin_idle_timeout_listener WaylandIdleNotifier::kTimeout = {
    [](void* data, org_kde_kwin_idle_timeout*) { Self(data).FHeard.push_back(IdleEvent::Idle); },
    [](void* data, org_kde_kwin_idle_timeout*) { Self(data).FHeard.push_back(IdleEvent::Active); },
};

std::string WaylandIdleNotifier::ProtocolName() const {
    return FNotification ? "ext-idle-notify" : "org_kde_kwin_idle";
}

int WaylandIdleNotifier::Descriptor() const {
    return FGone ? -1 : wl_display_get_fd(FDisplay);
}

void WaylandIdleNotifier::Dispatch(std::vector<IdleEvent>& events) {
    if (FGone) return;
    // Events already queued are dispatched before reading more; a read is prepared only on an
    // empty queue.
    while (wl_display_prepare_read(FDisplay) != 0) {
        if (wl_display_dispatch_pending(FDisplay) < 0) return Lose(events);
    }
    // Requests not sent yet go out; a full socket (EAGAIN) is tried again on the next call.
    wl_display_flush(FDisplay);
    pollfd fd{wl_display_get_fd(FDisplay), POLLIN, 0};
    if (poll(&fd, 1, 0) > 0 && (fd.revents & (POLLIN | POLLHUP | POLLERR))) {
        // A closed socket reads as an error (EPIPE) here.
        if (wl_display_read_events(FDisplay) < 0) return Lose(events);
    } else {
        wl_display_cancel_read(FDisplay);
    }
    if (wl_display_dispatch_pending(FDisplay) < 0 || wl_display_get_error(FDisplay)) return Lose(events);
    events.insert(events.end(), FHeard.begin(), FHeard.end());
    FHeard.clear();
}

void WaylandIdleNotifier::Lose(std::vector<IdleEvent>& events) {
    // What was heard before the connection closed still counts, in order.
    events.insert(events.end(), FHeard.begin(), FHeard.end());
    FHeard.clear();
    events.push_back(IdleEvent::SessionGone);
    FGone = true;
}

} // namespace quillaby::platform
