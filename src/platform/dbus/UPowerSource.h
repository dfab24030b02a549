#pragma once
// UPower's word on the power supply (org.freedesktop.UPower on the system bus): its OnBattery
// property, read once and then followed through PropertiesChanged, so that asking costs no call.
#include <memory>

#include "platform/PowerSource.h"
#include "platform/dbus/BusConnection.h"

namespace quillaby::platform {

class UPowerSource final : public PowerSource {
  public:
    // Null without a system bus, or when UPower is not on it (a desktop machine, a container).
    static std::unique_ptr<UPowerSource> Open();

    // Reads what the bus has sent since the last call; a bus that closed counts as mains.
    bool OnBattery() override;

  private:
    explicit UPowerSource(std::shared_ptr<BusConnection> bus) : FBus(std::move(bus)) {}
    void ReadOnBattery();

    static int OnPropertiesChanged(sd_bus_message* message, void* self, sd_bus_error* error);
    static int OnOwnerChanged(sd_bus_message* message, void* self, sd_bus_error* error);

    std::shared_ptr<BusConnection> FBus;
    BusSlot FChanged;
    BusSlot FOwner;
    bool FOnBattery = false;
    bool FStale = false; // UPower's owner changed: the value is asked for again
    bool FGone = false;  // the bus closed
};

} // namespace quillaby::platform
