#include "platform/DisplayPower.h"

namespace quillaby::platform {

namespace {
// A look at the monitors' power about once a second: a loop resumes within a second of their return.
constexpr int AsleepWait = 1000; // milliseconds
} // namespace

bool DisplayPause::Asleep(const std::function<void()>& resumed) {
    if (!FPower || FPower->On()) {
        if (FAsleep && resumed) resumed();
        FAsleep = false;
        return false;
    }
    FAsleep = true;
    FPower->Wait(AsleepWait);
    return true;
}

} // namespace quillaby::platform
