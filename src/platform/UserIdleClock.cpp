#include "platform/UserIdleClock.h"

namespace quillaby::platform {

namespace {
// Input this soon after our reset may still be the reset itself (the clocks' rounding).
constexpr double ResetSlack = 0.01; // seconds
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
