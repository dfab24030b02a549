// The multimedia timer: timeGetTime milliseconds and the system timer resolution.
// <windows.h> comes before the headers that build on it.
#include "platform/win32/WinApi.h"

#include <mmsystem.h>

#include "platform/Clock.h"

namespace quillaby::platform {
namespace {

class Win32Clock final : public Clock {
  public:
    uint32_t Milliseconds() override { return timeGetTime(); }
    bool QueryMinPeriod(uint32_t& minPeriod) override {
        TIMECAPS caps{};
        if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) return false;
        minPeriod = caps.wPeriodMin;
        return true;
    }
    bool BeginPeriod(uint32_t period) override { return timeBeginPeriod(period) == TIMERR_NOERROR; }
    void EndPeriod(uint32_t period) override { timeEndPeriod(period); }
};

} // namespace

Clock& SystemClock() {
    static Win32Clock clock;
    return clock;
}

} // namespace quillaby::platform
