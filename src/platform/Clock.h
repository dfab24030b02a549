#pragma once
// The system's millisecond clock, behind an interface so tests can feed exact readings.
#include <cstdint>

namespace quillaby::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    // A monotonic millisecond counter that wraps modulo 2^32.
    virtual uint32_t Milliseconds() = 0;
    // The smallest timer period the system supports, in milliseconds; false if it cannot tell.
    virtual bool QueryMinPeriod(uint32_t& minPeriod) = 0;
    // Raise / restore the timer resolution; every begin is matched by one end.
    virtual bool BeginPeriod(uint32_t period) = 0;
    virtual void EndPeriod(uint32_t period) = 0;
};

// The process's real clock.
Clock& SystemClock();

} // namespace quillaby::platform
