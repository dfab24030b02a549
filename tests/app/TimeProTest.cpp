#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "timing/TimePro.h"

namespace {

// A clock whose readings the test sets, recording the timer-period requests.
class FakeClock : public quillaby::platform::Clock {
  public:
    uint32_t now = 0;
    bool queryOk = true;
    uint32_t minPeriod = 1;
    bool beginOk = true;
    std::vector<uint32_t> begun, ended;

    uint32_t Milliseconds() override { return now; }
    bool QueryMinPeriod(uint32_t& p) override {
        p = minPeriod;
        return queryOk;
    }
    bool BeginPeriod(uint32_t p) override {
        begun.push_back(p);
        return beginOk;
    }
    void EndPeriod(uint32_t p) override { ended.push_back(p); }
};

TEST(TimeSplit, TotalSplitsIntoDaysHoursMinutesSecondsMilliseconds) {
    TTime t;
    t.SetTotal(86400000u + 3600000u + 60000u + 1000u + 1u);
    EXPECT_EQ(t.Days, 1);
    EXPECT_EQ(t.Hours, 1);
    EXPECT_EQ(t.Minutes, 1);
    EXPECT_EQ(t.Seconds, 1);
    EXPECT_EQ(t.Milliseconds, 1);
    t.SetTotal(0xFFFFFFFFu); // the parts use unsigned division
    EXPECT_EQ(t.Days, 49);
    EXPECT_EQ(t.AsMilliseconds(), 4294967295.0L);
    EXPECT_EQ(t.AsSeconds(), 4294967.295L);
    t.Clear();
    EXPECT_EQ(t.TotalMilliseconds, 0u);
    EXPECT_EQ(t.Days, 0);
    EXPECT_EQ(t.Milliseconds, 0);
}

TEST(Stopwatch, ReadsZeroUntilStartedAndUntilTimePasses) {
    FakeClock clock;
    clock.now = 5000;
    TTimerPro timer(clock);
    clock.now = 9000;
    EXPECT_EQ(timer.GetTime().AsSeconds(), 0); // not running: the clock is not read
    timer.Start();
    EXPECT_EQ(timer.GetTime().AsSeconds(), 0);
    clock.now = 9250;
    EXPECT_EQ(timer.GetTime().AsSeconds(), 0.25L);
    timer.Start(); // already running: nothing changes
    clock.now = 9500;
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 500u);
}

TEST(Stopwatch, CounterWrapAddsOnlyTheTrueDifference) {
    FakeClock clock;
    clock.now = 0xFFFFFFF0u;
    TTimerPro timer(clock);
    timer.Start();
    clock.now = 0x10u; // wrapped past 2^32
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 0x20u);
}

TEST(Stopwatch, BackwardsReadingAddsNothingAndRebasesTheNextUpdate) {
    FakeClock clock;
    clock.now = 1000;
    TTimerPro timer(clock);
    timer.Start();
    clock.now = 1300;
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 300u);
    clock.now = 1200; // the counter went back
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 300u);
    clock.now = 1250; // measured from 1200, not 1300
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 350u);
}

TEST(Stopwatch, StopKeepsTheValueAndStartBeginsAgainAtZero) {
    FakeClock clock;
    TTimerPro timer(clock);
    timer.Start();
    clock.now = 700;
    timer.Stop();
    EXPECT_FALSE(timer.Running());
    clock.now = 5000;
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 700u); // brought up to date by Stop, then frozen
    timer.Start();
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 0u);
    clock.now = 5040;
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 40u);
}

TEST(Stopwatch, AccumulatedTotalWrapsAfter2To32Milliseconds) {
    FakeClock clock;
    TTimerPro timer(clock);
    timer.Start();
    // Advance in steps below 2^31 so each delta is positive.
    clock.now = 0x7FFFFFFFu;
    timer.GetTime();
    clock.now = 0xFFFFFFFEu;
    timer.GetTime();
    clock.now = 0u; // two more: 2^32 in total
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 0u);
    clock.now = 3u;
    EXPECT_EQ(timer.GetTime().TotalMilliseconds, 3u);
}

TEST(StopwatchPeriod, EveryBeginIsMatchedByOneEndOfTheSamePeriod) {
    {
        FakeClock clock;
        clock.minPeriod = 5;
        {
            TTimerPro timer(clock);
            EXPECT_EQ(timer.Period(), 5u);
        }
        EXPECT_EQ(clock.begun, std::vector<uint32_t>{5});
        EXPECT_EQ(clock.ended, std::vector<uint32_t>{5});
    }
    {
        FakeClock clock;
        clock.minPeriod = 0; // below 1: the period stays 1
        {
            TTimerPro timer(clock);
            EXPECT_EQ(timer.Period(), 1u);
        }
        EXPECT_EQ(clock.begun, std::vector<uint32_t>{1});
        EXPECT_EQ(clock.ended, std::vector<uint32_t>{1});
    }
    {
        FakeClock clock;
        clock.minPeriod = 8;
        clock.beginOk = false; // refused: fall back to 1
        {
            TTimerPro timer(clock);
            EXPECT_EQ(timer.Period(), 1u);
        }
        EXPECT_EQ(clock.begun, (std::vector<uint32_t>{8, 1}));
        EXPECT_EQ(clock.ended, std::vector<uint32_t>{1});
    }
    {
        FakeClock clock;
        clock.queryOk = false;
        clock.minPeriod = 8;
        { TTimerPro timer(clock); }
        EXPECT_EQ(clock.begun, std::vector<uint32_t>{1});
        EXPECT_EQ(clock.ended, std::vector<uint32_t>{1});
    }
}

TEST(SystemClock, IsMonotonicAcrossReadsAndCountsMilliseconds) {
    using Steady = std::chrono::steady_clock;
    const auto ms = [](Steady::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    auto& clock = quillaby::platform::SystemClock();
    // Read continuously for at least 30 ms of the steady clock: no reading may be earlier than the
    // one before, and the span the readings cover must lie within the steady clock's brackets around
    // the first and the last reading (so a pause between two reads cannot make it fail).
    const auto firstBefore = Steady::now();
    const uint32_t first = clock.Milliseconds();
    const auto firstAfter = Steady::now();
    uint32_t last = first;
    auto lastBefore = firstBefore, lastAfter = firstAfter;
    int backwards = 0;
    while (ms(lastBefore - firstAfter) < 30) {
        lastBefore = Steady::now();
        const uint32_t now = clock.Milliseconds();
        lastAfter = Steady::now();
        backwards += static_cast<int32_t>(now - last) < 0;
        last = now;
    }
    const int32_t counted = static_cast<int32_t>(last - first);
    EXPECT_EQ(backwards, 0);
    EXPECT_GE(counted, ms(lastBefore - firstAfter) - 1); // whole milliseconds: one may be lost at either end
    EXPECT_LE(counted, ms(lastAfter - firstBefore) + 1);
}

} // namespace
