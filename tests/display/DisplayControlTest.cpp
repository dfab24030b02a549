#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "display/DisplayControl.h"
#include "support/FakeDisplayModes.h"

using quillaby::test::FakeDisplayModes;

namespace {

// The host's filter: 16- and 32-bit modes only.
void Only16And32(int32_t depth, int32_t, int32_t, bool& accept) {
    accept = depth == 16 || depth == 32;
}

std::vector<std::string> Groups(const TCustomDisplayControl& c) {
    std::vector<std::string> out;
    for (int g = 0; g < c.ColorDepthModes.Count(); ++g) {
        const auto& group = c.ColorDepthModes.Items(g);
        std::string line = std::to_string(group.ColorDepth) + ":";
        for (int i = 0; i < group.Modes.Count(); ++i)
            line += " " + std::to_string(group.Modes.Items(i).Width()) + "x" +
                    std::to_string(group.Modes.Items(i).Height());
        out.push_back(line);
    }
    return out;
}

struct Display : ::testing::Test {
    FakeDisplayModes platform;
    std::unique_ptr<TDisplayControl> control;
    void Enumerate() {
        control = std::make_unique<TDisplayControl>(platform);
        control->OnEnumerate = Only16And32;
        control->Enumerate();
    }
};

TEST_F(Display, GroupsByDepthInListingOrderWithoutDuplicatesOrUnwantedDepths) {
    platform.listed = {FakeDisplayModes::Mode(640, 480, 8),  FakeDisplayModes::Mode(1024, 768, 32),
                       FakeDisplayModes::Mode(640, 480, 16), FakeDisplayModes::Mode(640, 480, 16, 75),
                       FakeDisplayModes::Mode(800, 600, 32), FakeDisplayModes::Mode(800, 600, 16),
                       FakeDisplayModes::Mode(640, 480, 24)};
    platform.alsoAccepted = {FakeDisplayModes::Mode(320, 240, 16)}; // found among the fallback modes
    Enumerate();
    EXPECT_EQ(Groups(*control),
              (std::vector<std::string>{"32: 1024x768 800x600", "16: 640x480 800x600 320x240"}));
    EXPECT_EQ(control->VideoModes.Count(), 7); // the 75 Hz twin is left out, 8 and 24 bits are listed raw

    // The probe follows the listed modes, then every fallback size at every depth, size by size.
    const auto& t = platform.tested;
    const auto probe = std::find(t.begin(), t.end(), "42x37x8");
    ASSERT_NE(probe, t.end());
    ASSERT_EQ(t.end() - probe, 61);
    EXPECT_EQ(probe[1], "320x200x8");
    EXPECT_EQ(probe[2], "320x200x15");
    EXPECT_EQ(probe[6], "320x240x8");
    EXPECT_EQ(t.back(), "512x384x32");
}

TEST_F(Display, AProbeTheDisplayAcceptsMeansNoFallbackModes) {
    platform.listed = {FakeDisplayModes::Mode(800, 600, 32)};
    platform.acceptEverything = true;
    Enumerate();
    EXPECT_EQ(platform.tested, (std::vector<std::string>{"800x600x32", "42x37x8"}));
    EXPECT_EQ(control->VideoModes.Count(), 1);
}

TEST_F(Display, FullScreenModeCorrectsItselfToWhatTheDisplayOffers) {
    platform.listed = {FakeDisplayModes::Mode(640, 480, 16), FakeDisplayModes::Mode(800, 600, 16),
                       FakeDisplayModes::Mode(1024, 768, 32)};
    Enumerate();
    TFullScreenMode& mode = control->FullScreenMode();
    mode.SetMode(800, 600, 16);
    mode.SetColorDepth(24); // no such group: the first group's depth, and the size is kept there
    EXPECT_EQ(mode.ColorDepth(), 16);
    EXPECT_EQ(mode.Width(), 800);
    mode.SetColorDepth(32); // 800 x 600 missing at 32: the group's first size
    EXPECT_EQ(mode.Width(), 1024);
    EXPECT_EQ(mode.Height(), 768);
    mode.SetScreenSize(800 * 65536 + 600); // missing at 32 again
    EXPECT_EQ(mode.Width(), 1024);
    mode.SetColorDepth(16);
    mode.SetScreenSize(800 * 65536 + 600);
    EXPECT_EQ(mode.Width(), 800);
    EXPECT_EQ(mode.Height(), 600);
    EXPECT_EQ(mode.ScreenSize(), 52429400);
}

TEST_F(Display, SwitchRestoreAndEventsAlsoWhenTheSwitchFails) {
    platform.listed = {FakeDisplayModes::Mode(640, 480, 32), FakeDisplayModes::Mode(1920, 1080, 32)};
    Enumerate();
    std::vector<std::string> events;
    control->OnBeforeChange = [&](TCustomDisplayControl& s) {
        events.push_back(&s == control.get() ? "before" : "before from elsewhere");
    };
    control->OnAfterChange = [&](TCustomDisplayControl& s) {
        events.push_back(std::string(s.FullScreen() ? "after, full" : "after, desktop"));
    };

    platform.switchSucceeds = false;
    EXPECT_FALSE(control->ChangeMode(640, 480, 32));
    EXPECT_FALSE(control->FullScreen());
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after, desktop"}));

    platform.switchSucceeds = true;
    control->FullScreenMode().SetMode(640, 480, 32);
    control->SetFullScreen(true);
    EXPECT_TRUE(control->FullScreen());
    EXPECT_EQ(&control->CurrentMode(), &control->FullScreenMode());
    control->SetFullScreen(false);
    EXPECT_FALSE(control->FullScreen());
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"set 640x480x32", "set 640x480x32", "restore"}));
    EXPECT_EQ(events.size(), 6u);

    // The desktop's own mode needs no switch but still counts as set, so it is restored.
    platform.calls.clear();
    EXPECT_TRUE(control->ChangeMode(1920, 1080, 32));
    EXPECT_TRUE(control->FullScreen());
    control = nullptr; // destroyed while full screen
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"restore"}));
}

TEST_F(Display, WhileLoadingFullScreenIsOnlyStoredUntilLoaded) {
    platform.listed = {FakeDisplayModes::Mode(800, 600, 32)};
    TDisplayControl c(platform);
    c.BeginLoading();
    c.OnEnumerate = Only16And32;
    c.SetFullScreen(true);
    c.FullScreenMode().SetScreenSize(800 * 65536 + 600);
    c.FullScreenMode().SetColorDepth(32);
    EXPECT_TRUE(platform.calls.empty());
    c.Loaded();
    EXPECT_EQ(Groups(c), (std::vector<std::string>{"32: 800x600"}));
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"set 800x600x32"}));
    EXPECT_TRUE(c.FullScreen());
}

} // namespace
