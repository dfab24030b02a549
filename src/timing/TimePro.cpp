#include "timing/TimePro.h"

void TTime::SetTotal(uint32_t ms) {
    TotalMilliseconds = ms;
    Days = static_cast<int32_t>(ms / 86400000u);
    uint32_t rest = ms % 86400000u;
    Hours = static_cast<int32_t>(rest / 3600000u);
    rest %= 3600000u;
    Minutes = static_cast<int32_t>(rest / 60000u);
    rest %= 60000u;
    Seconds = static_cast<int32_t>(rest / 1000u);
    Milliseconds = static_cast<int32_t>(rest % 1000u);
}

TTimerPro::TTimerPro(quillaby::platform::Clock& clock) : FClock(clock) {
    uint32_t minPeriod = 0;
    FPeriod = 1;
    if (FClock.QueryMinPeriod(minPeriod)) {
        if (minPeriod > FPeriod) FPeriod = minPeriod;
        if (!FClock.BeginPeriod(FPeriod)) {
            FPeriod = 1;
            FClock.BeginPeriod(1);
        }
    } else {
        FClock.BeginPeriod(1);
    }
}

TTimerPro::~TTimerPro() {
    FClock.EndPeriod(FPeriod);
}

void TTimerPro::Start() {
    if (!FRunning) {
        FLastTick = FClock.Milliseconds();
        FTime.Clear();
    }
    FRunning = true;
}

void TTimerPro::Stop() {
    if (FRunning) GetTime();
    FRunning = false;
}

TTime& TTimerPro::GetTime() {
    if (FRunning) {
        const uint32_t now = FClock.Milliseconds();
        // Modular difference read as signed: a wrapped counter still gives the true small step.
        const int32_t delta = static_cast<int32_t>(now - FLastTick);
        if (delta > 0) FTime.SetTotal(FTime.TotalMilliseconds + static_cast<uint32_t>(delta));
        FLastTick = now;
    }
    return FTime;
}
