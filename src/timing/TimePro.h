#pragma once
// The program's only clock: a stopwatch accumulating elapsed milliseconds.
#include <cstdint>
#include <memory>

#include "math/Geometry.h"
#include "platform/Clock.h"

class TTime {
  public:
    uint32_t TotalMilliseconds = 0; // wraps modulo 2^32
    int32_t Days = 0;
    int32_t Hours = 0;
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    int32_t Milliseconds = 0;

    // Stores the total and recomputes the five parts.
    void SetTotal(uint32_t ms);
    void Clear() { SetTotal(0); }
    Extended AsMilliseconds() const { return static_cast<Extended>(TotalMilliseconds); }
    Extended AsSeconds() const { return AsMilliseconds() / 1000; }
};

class TTimerPro {
  public:
    explicit TTimerPro(quillaby::platform::Clock& clock = quillaby::platform::SystemClock());
    ~TTimerPro();
    TTimerPro(const TTimerPro&) = delete;
    TTimerPro& operator=(const TTimerPro&) = delete;

    // Starting a stopped timer restarts it from zero; starting a running one changes nothing.
    void Start();
    // Brings the time up to date, then stops; the value is kept.
    void Stop();
    // Brings the time up to date when running; the timer owns the result.
    TTime& GetTime();

    bool Running() const { return FRunning; }
    uint32_t Period() const { return FPeriod; }
    uint32_t LastTick() const { return FLastTick; }

  private:
    quillaby::platform::Clock& FClock;
    TTime FTime;
    uint32_t FLastTick = 0;
    bool FRunning = false;
    uint32_t FPeriod = 1;
};
