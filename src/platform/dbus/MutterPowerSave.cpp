#include "platform/dbus/MutterPowerSave.h"

#include <cstdint>

namespace quillaby::platform {

namespace {
const BusObject DisplayConfig{"org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig",
                              "org.gnome.Mutter.DisplayConfig"};
// A frame loop resumes within a second of the monitors coming back.
constexpr auto LookPeriod = std::chrono::milliseconds(900);
} // namespace

std::unique_ptr<MutterPowerSave> MutterPowerSave::Open() {
    std::shared_ptr<BusConnection> bus = BusConnection::Open(BusKind::Session);
    if (!bus || !bus->HasOwner(DisplayConfig.service)) return nullptr;
    return std::unique_ptr<MutterPowerSave>(new MutterPowerSave(std::move(bus)));
}

bool MutterPowerSave::PoweredDown() {
    const auto now = std::chrono::steady_clock::now();
    if (now >= FNextLook) {
        int32_t mode = 0;
        FPoweredDown = FBus->GetProperty(DisplayConfig, "PowerSaveMode", 'i', &mode) && mode != 0;
        FNextLook = now + LookPeriod;
    }
    return FPoweredDown;
}

} // namespace quillaby::platform
