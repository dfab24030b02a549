#pragma once
// A connection to a D-Bus bus: the user's session bus, where GNOME offers its idle monitor, its shield
// and its monitors' power, or the system bus, where UPower tells the power supply. Every call waits at
// most a second, and a bus that once let a call time out is asked nothing more: a hung bus costs the
// saver one second at most, never its frames.
#include <systemd/sd-bus.h>

#include <memory>
#include <string>

namespace quillaby::platform {

// A service's object and the interface of it a caller speaks to.
struct BusObject {
    const char* service;
    const char* path;
    const char* interface;
};

struct BusMessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
struct BusSlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using BusMessage = std::unique_ptr<sd_bus_message, BusMessageUnref>;
// Removes its match (or its pending call) when it goes.
using BusSlot = std::unique_ptr<sd_bus_slot, BusSlotUnref>;

enum class BusKind {
    Session, // DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus
    System,  // DBUS_SYSTEM_BUS_ADDRESS, else the machine's own
};

class BusConnection {
  public:
    // Null, quickly and silently, when there is no such bus or it does not let us in within a
    // second.
    static std::shared_ptr<BusConnection> Open(BusKind kind);
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    sd_bus* Bus() const { return FBus; }
    // False once the connection closed.
    bool IsOpen() const;
    // False too when the bus cannot tell.
    bool HasOwner(const char* service);
    // A property of a basic D-Bus type (`type`: 'i' int32_t, 'b' int, 'u' uint32_t, ...) read into
    // `value`; false when it cannot be read.
    bool GetProperty(const BusObject& object, const char* name, char type, void* value);
    // Calls `method` with arguments of the D-Bus signature `types`; the reply, or null when the call
    // failed (no such service, an error reply, no answer within a second).
    template <typename... Args>
    BusMessage Call(const BusObject& object, const char* method, const char* types = nullptr, Args... args) {
        BusMessage call = NewCall(object, method);
        if (!call) return nullptr;
        if (types != nullptr && sd_bus_message_append(call.get(), types, args...) < 0) return nullptr;
        return Send(call.get());
    }
    // Runs `handler` for each signal `member` that `object`'s owner sends, whichever process owns
    // it now or later; `arg0`, when given, must be the signal's first argument. Null when the bus
    // refused the match.
    BusSlot AddSignalMatch(const BusObject& object, const char* member, const char* arg0,
                           sd_bus_message_handler_t handler, void* userdata);

  private:
    explicit BusConnection(sd_bus* bus) : FBus(bus) {}
    bool AwaitReady();
    BusMessage NewCall(const BusObject& object, const char* method);
    BusMessage Send(sd_bus_message* call);

    sd_bus* FBus;
    bool FHung = false; // a call timed out
};

} // namespace quillaby::platform
