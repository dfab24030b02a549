#include "platform/dbus/UPowerSource.h"

#include <cstring>

namespace quillaby::platform {

namespace {
const BusObject UPower{"org.freedesktop.UPower", "/org/freedesktop/UPower", "org.freedesktop.UPower"};
const BusObject UPowerProperties{UPower.service, UPower.path, "org.freedesktop.DBus.Properties"};
const BusObject BusDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus"};
constexpr const char* kOnBattery = "OnBattery";
} // namespace

std::unique_ptr<UPowerSource> UPowerSource::Open() {
    std::shared_ptr<BusConnection> bus = BusConnection::Open(BusKind::System);
    if (!bus || !bus->HasOwner(UPower.service)) return nullptr;
    std::unique_ptr<UPowerSource> source(new UPowerSource(std::move(bus)));
    // The matches go in before the first reading, so no change falls between the two.
    source->FChanged = source->FBus->AddSignalMatch(UPowerProperties, "PropertiesChanged", UPower.interface,
                                                    &OnPropertiesChanged, source.get());
    source->FOwner = source->FBus->AddSignalMatch(BusDaemon, "NameOwnerChanged", UPower.service,
                                                  &OnOwnerChanged, source.get());
    if (!source->FChanged || !source->FOwner) return nullptr;
    source->ReadOnBattery();
    return source;
}

bool UPowerSource::OnBattery() {
    while (!FGone) {
        const int r = sd_bus_process(FBus->Bus(), nullptr);
        if (r < 0) FGone = true;
        if (r <= 0) break;
    }
    if (!FGone && !FBus->IsOpen()) FGone = true;
    if (FGone) return false;
    if (FStale) ReadOnBattery();
    return FOnBattery;
}

// No answer (UPower gone) counts as mains.
void UPowerSource::ReadOnBattery() {
    FStale = false;
    int onBattery = 0;
    FOnBattery = FBus->GetProperty(UPower, kOnBattery, 'b', &onBattery) && onBattery;
}

// Arguments: the interface (matched already), the changed values {name: variant}, the invalidated
// names (UPower sends its values, never only their names).
int UPowerSource::OnPropertiesChanged(sd_bus_message* message, void* self, sd_bus_error*) {
    auto& source = *static_cast<UPowerSource*>(self);
    if (sd_bus_message_skip(message, "s") < 0 || sd_bus_message_enter_container(message, 'a', "{sv}") <= 0)
        return 0;
    while (sd_bus_message_enter_container(message, 'e', "sv") > 0) {
        const char* name = nullptr;
        int onBattery = 0;
        if (sd_bus_message_read(message, "s", &name) <= 0) return 0;
        if (std::strcmp(name, kOnBattery) == 0 && sd_bus_message_read(message, "v", "b", &onBattery) > 0)
            source.FOnBattery = onBattery;
        else if (sd_bus_message_skip(message, "v") < 0)
            return 0;
        if (sd_bus_message_exit_container(message) < 0) return 0;
    }
    return 0;
}

// A UPower that restarts may say otherwise; none at all is mains.
int UPowerSource::OnOwnerChanged(sd_bus_message*, void* self, sd_bus_error*) {
    static_cast<UPowerSource*>(self)->FStale = true;
    return 0;
}

} // namespace quillaby::platform
