// The dialogs' scale factor from the overrides and the display's density.
#include <gtest/gtest.h>

#include "ui/DialogScale.h"

namespace {

using namespace quillaby;
using ui::ChooseDialogScale;

platform::DisplayDensity Density(std::optional<double> desktop, std::optional<double> monitor,
                                 int width = 3840, int height = 2160) {
    return {desktop, monitor, width, height};
}

int Scale(const char* own, const char* gdk, const platform::DisplayDensity& density) {
    return ChooseDialogScale(own, gdk, density, 511, 363).Scale;
}

TEST(DialogScale, DpiRoundsToTheNearestWholeFactorOf96) {
    EXPECT_EQ(ui::ScaleOfDpi(96), 1);
    EXPECT_EQ(ui::ScaleOfDpi(120), 1);
    EXPECT_EQ(ui::ScaleOfDpi(144), 2);
    EXPECT_EQ(ui::ScaleOfDpi(192.8), 2);
    EXPECT_EQ(ui::ScaleOfDpi(288), 3);
    EXPECT_EQ(ui::ScaleOfDpi(40), 1);
    EXPECT_EQ(ui::ScaleOfDpi(0), 1);
}

TEST(DialogScale, OverridesThenTheDesktopsDpiThenTheMonitorsThenOne) {
    EXPECT_EQ(Scale(nullptr, nullptr, Density(std::nullopt, std::nullopt)), 1);
    EXPECT_EQ(Scale(nullptr, nullptr, Density(std::nullopt, 192.8)), 2);
    EXPECT_EQ(Scale(nullptr, nullptr, Density(96, 192.8)), 1); // the desktop's word counts over the mm
    EXPECT_EQ(Scale(nullptr, nullptr, Density(288, 96)), 3);
    EXPECT_EQ(Scale(nullptr, "2", Density(96, 96)), 2);
    EXPECT_EQ(Scale("1", "2", Density(192, 192)), 1);
    // An override that is no whole factor is passed over, and named.
    for (const char* bad : {"", "0", "-1", "1.5", "2x", "99"}) {
        const ui::ScaleChoice choice = ChooseDialogScale(bad, "3", Density(192, 192), 511, 363);
        EXPECT_EQ(choice.Scale, 3) << bad;
        EXPECT_EQ(choice.IgnoredVariable, ui::OwnScaleVariable) << bad;
    }
    EXPECT_TRUE(ChooseDialogScale("2", nullptr, Density(192, 192), 511, 363).IgnoredVariable.empty());
}

TEST(DialogScale, TheDialogNeverOutgrowsTheMonitor) {
    EXPECT_EQ(Scale(nullptr, nullptr, Density(std::nullopt, 192.8, 1024, 768)), 2); // 1022 x 726
    EXPECT_EQ(Scale("4", nullptr, Density(std::nullopt, 96, 1024, 768)), 2);
    EXPECT_EQ(Scale(nullptr, nullptr, Density(384, std::nullopt, 800, 600)), 1);
    EXPECT_EQ(Scale(nullptr, nullptr, Density(192, std::nullopt, 0, 0)), 2); // size unknown
}

} // namespace
