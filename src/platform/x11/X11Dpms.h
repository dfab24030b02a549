#pragma once
// The server's DPMS state as the monitor's power saving: whether the monitor can save power, whether
// the user has it on, the level it is at and the user's timeouts.
#include "platform/UserIdleClock.h"

struct _XDisplay;

namespace quillaby::platform {

struct DpmsReading {
    bool Present = false; // the server has DPMS and the monitor is capable
    bool Enabled = false; // the user's power saving is on
    int Level = PowerOn;
    int Standby = 0, Suspend = 0, Off = 0; // the user's timeouts, seconds (0: never)

    // True while the monitor is in standby, suspend or off.
    bool PoweredDown() const { return Present && Level != PowerOn; }
};

DpmsReading ReadDpms(_XDisplay* display);

} // namespace quillaby::platform
