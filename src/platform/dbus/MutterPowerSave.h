#pragma once
// Whether GNOME has the monitors powered down: mutter's DisplayConfig PowerSaveMode (0 on,
// 1 standby, 2 suspend, 3 off), which GNOME's power settings set when the screen blanks. On Wayland
// this is the only place to see it; the X server's DPMS knows nothing of it.
#include <chrono>
#include <memory>

#include "platform/dbus/BusConnection.h"

namespace quillaby::platform {

class MutterPowerSave {
  public:
    // Null without a session bus, or when mutter's display configuration is not on it.
    static std::unique_ptr<MutterPowerSave> Open();

    // Asks mutter at most about once a second; a mode that cannot be read counts as on.
    bool PoweredDown();

  private:
    explicit MutterPowerSave(std::shared_ptr<BusConnection> bus) : FBus(std::move(bus)) {}

    std::shared_ptr<BusConnection> FBus;
    bool FPoweredDown = false;
    std::chrono::steady_clock::time_point FNextLook{};
};

} // namespace quillaby::platform
