#include "platform/dbus/BusConnection.h"

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace quillaby::platform {

namespace {
// How long any call, the connection's start included, may wait for its answer.
constexpr uint64_t CallTimeout = 1'000'000; // microseconds

const BusObject BusDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus"};
const BusObject Properties{nullptr, nullptr, "org.freedesktop.DBus.Properties"};
} // namespace

std::shared_ptr<BusConnection> BusConnection::Open(BusKind kind) {
    sd_bus* bus = nullptr;
    // Fails at once where the address leads to no listening bus.
    if ((kind == BusKind::System ? sd_bus_open_system(&bus) : sd_bus_open_user(&bus)) < 0) return nullptr;
    std::shared_ptr<BusConnection> session(new BusConnection(bus));
    if (sd_bus_set_method_call_timeout(bus, CallTimeout) < 0 || !session->AwaitReady()) return nullptr;
    return session;
}

// Not flushed: a flush waits (up to 90 s) for a bus that never let us in. Every call we make has had
// its answer, so nothing is left to send.
BusConnection::~BusConnection() {
    sd_bus_close_unref(FBus);
}

// The connection is started but not yet authenticated: the bus may still refuse us (another user's
// bus) or not answer at all.
bool BusConnection::AwaitReady() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(CallTimeout);
    for (;;) {
        int r = sd_bus_is_ready(FBus);
        if (r != 0) return r > 0;
        r = sd_bus_process(FBus, nullptr);
        if (r < 0) return false;
        if (r > 0) continue;
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || sd_bus_wait(FBus, left.count()) < 0) return false;
    }
}

bool BusConnection::IsOpen() const {
    return sd_bus_is_open(FBus) > 0;
}

bool BusConnection::HasOwner(const char* service) {
    BusMessage reply = Call(BusDaemon, "NameHasOwner", "s", service);
    int owned = 0;
    return reply && sd_bus_message_read(reply.get(), "b", &owned) > 0 && owned;
}

bool BusConnection::GetProperty(const BusObject& object, const char* name, char type, void* value) {
    const BusObject properties{object.service, object.path, Properties.interface};
    BusMessage reply = Call(properties, "Get", "ss", object.interface, name);
    const char contents[2] = {type, '\0'};
    return reply && sd_bus_message_enter_container(reply.get(), 'v', contents) > 0 &&
           sd_bus_message_read_basic(reply.get(), type, value) > 0;
}

BusMessage BusConnection::NewCall(const BusObject& object, const char* method) {
    if (FHung) return nullptr;
    sd_bus_message* call = nullptr;
    if (sd_bus_message_new_method_call(FBus, &call, object.service, object.path, object.interface, method) <
        0)
        return nullptr;
    return BusMessage(call);
}

BusMessage BusConnection::Send(sd_bus_message* call) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    const int r = sd_bus_call(FBus, call, CallTimeout, &error, &reply);
    sd_bus_error_free(&error);
    if (r == -ETIMEDOUT) FHung = true;
    if (r < 0) return nullptr;
    return BusMessage(reply);
}

BusSlot BusConnection::AddSignalMatch(const BusObject& object, const char* member, const char* arg0,
                                      sd_bus_message_handler_t handler, void* userdata) {
    if (FHung) return nullptr;
    std::string rule = std::string("type='signal',sender='") + object.service + "',path='" + object.path +
                       "',interface='" + object.interface + "',member='" + member + "'";
    if (arg0 != nullptr) rule += std::string(",arg0='") + arg0 + "'";
    // Synchronous: the bus has the match before any call that could make the signal is sent.
    sd_bus_slot* slot = nullptr;
    const int r = sd_bus_add_match(FBus, &slot, rule.c_str(), handler, userdata);
    if (r == -ETIMEDOUT) FHung = true;
    if (r < 0) return nullptr;
    return BusSlot(slot);
}

} // namespace quillaby::platform
