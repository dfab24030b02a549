// The display settings and the multimedia timer as the layer reports them.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include "platform/Clock.h"
#include "platform/win32/Win32Layer.h"

using namespace quillaby::platform;

namespace {

TEST(DisplayModes, TheDesktopModeIsListedAndPassesTheFullScreenTest) {
    const auto modes = CreateWin32DisplayModes();
    DisplayModeRecord desktop;
    modes->DesktopMode(desktop.BitsPerPixel, desktop.Width, desktop.Height);
    EXPECT_EQ(desktop.Width, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_GT(desktop.BitsPerPixel, 0);
    bool listed = false;
    DisplayModeRecord mode;
    for (int i = 0; modes->EnumMode(i, mode) && i < 10000; ++i)
        listed = listed || (mode.Width == desktop.Width && mode.Height == desktop.Height &&
                            mode.BitsPerPixel == desktop.BitsPerPixel);
    EXPECT_TRUE(listed);
    EXPECT_TRUE(modes->TestMode(desktop));
    EXPECT_FALSE(modes->TestMode({42, 37, 8, 0})) << "the probe of an impossible mode";
}

TEST(MultimediaTimer, PeriodWithinTheDevicesRange) {
    Clock& clock = SystemClock();
    uint32_t minimum = 0;
    ASSERT_TRUE(clock.QueryMinPeriod(minimum));
    EXPECT_GE(minimum, 1u);
    EXPECT_TRUE(clock.BeginPeriod(minimum));
    clock.EndPeriod(minimum);
    EXPECT_FALSE(clock.BeginPeriod(0)) << "below the device's minimum";
}

} // namespace
