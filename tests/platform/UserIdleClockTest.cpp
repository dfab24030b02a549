// The user's idle time through the blanking hold's resets of the server's counter, and the power
// level the user's timeouts call for.
#include <gtest/gtest.h>

#include "platform/UserIdleClock.h"

using namespace quillaby::platform;

TEST(UserIdleClock, CountsFromTheLastInputThroughOurResets) {
    UserIdleClock clock;
    EXPECT_EQ(clock.Idle(5), 0);
    clock.Observe(100, 40); // idle since 60 when the hold starts
    EXPECT_DOUBLE_EQ(clock.Idle(101), 41);
    clock.ResetByUs(101);
    clock.Observe(102, 1);     // the server counts from our reset: not the user's input
    clock.Observe(103.005, 2); // rounding of the two clocks
    EXPECT_DOUBLE_EQ(clock.Idle(110), 50);
    clock.ResetByUs(110);
    clock.Observe(115, 2); // an event at 113, after the reset: the user's
    EXPECT_DOUBLE_EQ(clock.Idle(120), 7);
    clock.Observe(121, 20); // an older reading changes nothing
    EXPECT_DOUBLE_EQ(clock.Idle(121), 8);
}

TEST(DuePowerLevel, DeepestReachedTimeoutWinsAndZeroMeansNever) {
    EXPECT_EQ(DuePowerLevel(599, 600, 600, 600), PowerOn);
    EXPECT_EQ(DuePowerLevel(600, 600, 600, 600), PowerOff);
    EXPECT_EQ(DuePowerLevel(650, 600, 700, 800), PowerStandby);
    EXPECT_EQ(DuePowerLevel(750, 600, 700, 800), PowerSuspend);
    EXPECT_EQ(DuePowerLevel(1e6, 0, 0, 0), PowerOn);
    EXPECT_EQ(DuePowerLevel(1e6, 600, 0, 0), PowerStandby);
    EXPECT_EQ(DuePowerLevel(1e6, 0, 0, 900), PowerOff);
}
