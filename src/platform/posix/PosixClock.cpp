// Monotonic milliseconds from clock_gettime. Linux needs no timer-resolution
// requests, so the period calls succeed and do nothing.
#include <time.h>

#include "platform/Clock.h"

namespace quillaby::platform {
namespace {

class PosixClock final : public Clock {
  public:
    uint32_t Milliseconds() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        const uint64_t ms =
            static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
        return static_cast<uint32_t>(ms); // wraps like the multimedia counter
    }
    bool QueryMinPeriod(uint32_t& minPeriod) override {
        minPeriod = 1;
        return true;
    }
    bool BeginPeriod(uint32_t) override { return true; }
    void EndPeriod(uint32_t) override {}
};

} // namespace

Clock& SystemClock() {
    static PosixClock clock;
    return clock;
}

} // namespace quillaby::platform
