#include "platform/UserIdleClock.h"

namespace quillaby::platform {

namespace {
// The server's reading of its last event after our reset can trail the reply by a scheduler tick.
constexpr double ResetSlack = 0.05; // seconds
} // namespace

void UserIdleClock::Observe(double now, double serverIdle) {
    const double lastEvent = now - serverIdle;
    // Our own reset moved the server's last event too; only a later one is the user's.
    if (FReset && lastEvent <= FResetDone + ResetSlack) return;
    if (FKnown && lastEvent < FLastInput) return;
    FLastInput = lastEvent;
    FKnown = true;
}

void UserIdleClock::ResetByUs(double done) {
    FReset = true;
    FResetDone = done;
}

double UserIdleClock::Idle(double now) const {
    if (!FKnown || now < FLastInput) return 0;
    return now - FLastInput;
}

int DuePowerLevel(double idle, int standby, int suspend, int off) {
    if (off > 0 && idle >= off) return PowerOff;
    if (suspend > 0 && idle >= suspend) return PowerSuspend;
    if (standby > 0 && idle >= standby) return PowerStandby;
    return PowerOn;
}

} // namespace quillaby::platform
