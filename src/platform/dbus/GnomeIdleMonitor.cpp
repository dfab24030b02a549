#include "platform/dbus/GnomeIdleMonitor.h"

#include <time.h>

#include "base/Error.h"

namespace quillaby::platform {

namespace {
const BusObject IdleMonitor{"org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
                            "org.gnome.Mutter.IdleMonitor"};
const BusObject Shield{"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"};
const BusObject BusDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus"};

uint64_t MonotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint64_t(now.tv_sec) * 1'000'000 + uint64_t(now.tv_nsec) / 1000;
}
} // namespace

std::unique_ptr<GnomeIdleMonitor> GnomeIdleMonitor::Open(int idleMilliseconds) {
    std::shared_ptr<BusConnection> bus = BusConnection::Open(BusKind::Session);
    if (!bus || !bus->HasOwner(IdleMonitor.service)) return nullptr;
    std::unique_ptr<GnomeIdleMonitor> monitor(new GnomeIdleMonitor(std::move(bus)));
    if (!monitor->Watch(idleMilliseconds)) return nullptr;
    return monitor;
}

// The matches go in before the calls whose signals they catch.
bool GnomeIdleMonitor::Watch(int idleMilliseconds) {
    FMonitorOwner = FBus->AddSignalMatch(BusDaemon, "NameOwnerChanged", IdleMonitor.service,
                                         &OnMonitorOwnerChanged, this);
    FWatchFired = FBus->AddSignalMatch(IdleMonitor, "WatchFired", nullptr, &OnWatchFired, this);
    FShieldChanged = FBus->AddSignalMatch(Shield, "ActiveChanged", nullptr, &OnShieldChanged, this);
    if (!FMonitorOwner || !FWatchFired || !FShieldChanged) return false;
    BusMessage reply = FBus->Call(IdleMonitor, "AddIdleWatch", "t", uint64_t(idleMilliseconds));
    if (!reply || sd_bus_message_read(reply.get(), "u", &FIdleWatch) <= 0) return false;
    // The shield may be up already; no one offering it is a shield that is down.
    if (FBus->HasOwner(Shield.service)) {
        BusMessage shield = FBus->Call(Shield, "GetActive");
        int active = 0;
        if (shield && sd_bus_message_read(shield.get(), "b", &active) > 0 && active)
            FEvents.push_back(IdleEvent::ShieldUp);
    }
    return true;
}

// Once the session is gone there is nothing more to wait for.
int GnomeIdleMonitor::Descriptor() const {
    if (FGone) return -1;
    const int fd = sd_bus_get_fd(FBus->Bus());
    return fd < 0 ? -1 : fd;
}

int GnomeIdleMonitor::TimeoutMilliseconds() const {
    if (!FEvents.empty()) return 0;
    // Messages already read (during a call) make the descriptor quiet: sd-bus then asks for a look now.
    uint64_t at = 0;
    if (FGone || sd_bus_get_timeout(FBus->Bus(), &at) <= 0 || at == UINT64_MAX) return -1;
    const uint64_t now = MonotonicMicroseconds();
    return at <= now ? 0 : int((at - now + 999) / 1000);
}

void GnomeIdleMonitor::Dispatch(std::vector<IdleEvent>& events) {
    while (!FGone) {
        const int r = sd_bus_process(FBus->Bus(), nullptr);
        if (r < 0) Gone();
        if (r <= 0) break;
    }
    if (!FGone && !FBus->IsOpen()) Gone();
    // Handed out before the active watch is armed: that call may raise.
    TakeEvents(events);
    if (FWantActiveWatch && !FGone) {
        WatchForActivity();
        TakeEvents(events);
    }
}

void GnomeIdleMonitor::TakeEvents(std::vector<IdleEvent>& events) {
    events.insert(events.end(), FEvents.begin(), FEvents.end());
    FEvents.clear();
}

// mutter's user-active watch fires once, on the next input, and is gone.
void GnomeIdleMonitor::WatchForActivity() {
    FWantActiveWatch = false;
    BusMessage reply = FBus->Call(IdleMonitor, "AddUserActiveWatch");
    if (reply && sd_bus_message_read(reply.get(), "u", &FActiveWatch) > 0) return;
    FActiveWatch = 0;
    // The monitor left with the session; its NameOwnerChanged may not have been read yet.
    if (!FBus->IsOpen() || !FBus->HasOwner(IdleMonitor.service)) {
        Gone();
        return;
    }
    throw Error("GNOME's idle monitor did not take a watch for the user's return");
}

void GnomeIdleMonitor::Gone() {
    if (FGone) return;
    FGone = true;
    FEvents.push_back(IdleEvent::SessionGone);
}

int GnomeIdleMonitor::OnWatchFired(sd_bus_message* message, void* self, sd_bus_error*) {
    auto& monitor = *static_cast<GnomeIdleMonitor*>(self);
    uint32_t id = 0;
    if (sd_bus_message_read(message, "u", &id) <= 0) return 0;
    if (id == monitor.FIdleWatch && !monitor.FIdle) {
        monitor.FIdle = true;
        monitor.FWantActiveWatch = true;
        monitor.FEvents.push_back(IdleEvent::Idle);
    } else if (id != 0 && id == monitor.FActiveWatch) {
        monitor.FActiveWatch = 0;
        monitor.FIdle = false;
        monitor.FEvents.push_back(IdleEvent::Active);
    }
    return 0;
}

int GnomeIdleMonitor::OnShieldChanged(sd_bus_message* message, void* self, sd_bus_error*) {
    int active = 0;
    if (sd_bus_message_read(message, "b", &active) <= 0) return 0;
    static_cast<GnomeIdleMonitor*>(self)->FEvents.push_back(active ? IdleEvent::ShieldUp
                                                                   : IdleEvent::ShieldDown);
    return 0;
}

// Any change of owner ends our watches: they belonged to the monitor that went.
int GnomeIdleMonitor::OnMonitorOwnerChanged(sd_bus_message*, void* self, sd_bus_error*) {
    static_cast<GnomeIdleMonitor*>(self)->Gone();
    return 0;
}

} // namespace quillaby::platform
