#pragma once
// The user's own idle time while a blanking hold keeps resetting the server's, and the monitor power
// level the user's timeouts call for after that much idle time. Holding the blanking off resets the
// server's idle counter, and with it the timers that power the monitor down: the hold powers it down
// itself, counting from the user's last input as the server would have.

namespace quillaby::platform {

class UserIdleClock {
  public:
    // The server's idle time, `serverIdle` seconds, asked for at `now` (seconds of a monotonic clock).
    void Observe(double now, double serverIdle);
    // The server's idle counter was reset on our behalf, done by `done` (seconds, read once the
    // server had answered). Only input after that counts as the user's.
    void ResetByUs(double done);
    // Seconds since the user's last input as of `now`; 0 before the first observation.
    double Idle(double now) const;

  private:
    bool FKnown = false;
    double FLastInput = 0;
    bool FReset = false;
    double FResetDone = 0;
};

// Monitor power levels as the server numbers them.
enum PowerLevel { PowerOn = 0, PowerStandby = 1, PowerSuspend = 2, PowerOff = 3 };

// The deepest level whose timeout (seconds, 0: never) `idle` seconds have reached; PowerOn when none.
int DuePowerLevel(double idle, int standby, int suspend, int off);

} // namespace quillaby::platform
