// The display's power as Windows notifies it: off stops the frames, on and dimmed do not, and other
// power settings change nothing.
#include "platform/win32/WinApi.h"
#include <gtest/gtest.h>

#include "platform/win32/Win32DisplayWatch.h"

using quillaby::platform::Win32DisplayWatch;

namespace {

// POWERBROADCAST_SETTING with room for its DWORD of data.
struct DisplaySetting {
    GUID PowerSetting;
    DWORD DataLength;
    DWORD Data;
};

constexpr GUID ConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
// GUID_ACDC_POWER_SOURCE: another setting a window may hear of.
constexpr GUID PowerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};

void Notify(HWND window, const GUID& setting, DWORD value) {
    DisplaySetting data{setting, sizeof(DWORD), value};
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&data));
}

} // namespace

TEST(DisplayWatch, OffStopsFramesWhileOnAndDimmedDoNot) {
    Win32DisplayWatch watch;
    ASSERT_NE(watch.Window(), nullptr);
    EXPECT_FALSE(watch.PoweredDown());
    Notify(watch.Window(), ConsoleDisplayState, 0);
    EXPECT_TRUE(watch.PoweredDown());
    Notify(watch.Window(), PowerSource, 1);
    EXPECT_TRUE(watch.PoweredDown());
    Notify(watch.Window(), ConsoleDisplayState, 2);
    EXPECT_FALSE(watch.PoweredDown());
    Notify(watch.Window(), ConsoleDisplayState, 0);
    Notify(watch.Window(), ConsoleDisplayState, 1);
    EXPECT_FALSE(watch.PoweredDown());
    // A second watch lives beside the first.
    Win32DisplayWatch second;
    EXPECT_NE(second.Window(), nullptr);
}
