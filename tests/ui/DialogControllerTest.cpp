// The settings dialog's handlers without a window, over a host with 16- and 32-bit modes.
#include <gtest/gtest.h>

#include "FakeDialogHost.h"
#include "ui/DialogController.h"

namespace {

using quillaby::test::FakeDialogHost;
using quillaby::ui::DialogResult;
using quillaby::ui::TDialogController;
using quillaby::ui::VideoMode;
using Items = std::vector<std::string>;

struct Dialog : ::testing::Test {
    FakeDialogHost host;
    TDialogController dialog{host};
};

TEST_F(Dialog, StartShowsTheEnumeratedModesAndTheOptionsWithoutChangingThem) {
    host.Values.DollarCount = 7;
    host.Values.ThemeIndex = 2;
    host.Values.AutoTheme = true;
    host.FullScreen = {16, 800, 600};
    dialog.Start();
    EXPECT_EQ(dialog.ComboBoxDepth.Items, (Items{"16 bits", "32 bits"}));
    EXPECT_EQ(dialog.ComboBoxDepth.Text(), "16 bits");
    EXPECT_EQ(dialog.ComboBoxResolution.Items, (Items{"640x480", "800x600"}));
    EXPECT_EQ(dialog.ComboBoxResolution.Text(), "800x600");
    EXPECT_EQ(dialog.TrackBarOndrelCount.Position, 7);
    EXPECT_EQ(dialog.TrackBarOndrelCount.Label, "7");
    EXPECT_EQ(dialog.ComboBoxThemes.Text(), "Auto");
    EXPECT_TRUE(dialog.Ready);
    // Showing the options ran the handlers with Ready off: nothing was written back.
    EXPECT_EQ(host.Values.ThemeIndex, 2);
    EXPECT_EQ(host.SoundApplied, 0);
    EXPECT_EQ(host.FullScreen, (VideoMode{16, 800, 600}));
}

TEST_F(Dialog, ChangeHandlersWriteTheOptionsOnlyWhileReady) {
    dialog.Start();
    dialog.Ready = false;
    dialog.TrackBarOndrelCountChange(0);
    EXPECT_EQ(host.Values.DollarCount, 60);
    dialog.Ready = true;
    dialog.TrackBarOndrelCountChange(0);
    dialog.TrackBarBublesCountChange(35);
    EXPECT_EQ(host.Values.DollarCount, 0);
    EXPECT_EQ(dialog.TrackBarOndrelCount.Label, "0");
    EXPECT_EQ(host.Values.BubbleCount, 35);
    dialog.ComboBoxThemesChange(3);
    EXPECT_FALSE(host.Values.AutoTheme);
    EXPECT_EQ(host.Values.ThemeIndex, 2);
    dialog.ComboBoxThemesChange(0); // "Auto" keeps the current theme
    EXPECT_TRUE(host.Values.AutoTheme);
    EXPECT_EQ(host.Values.ThemeIndex, 2);
    dialog.CheckBoxRunAsEXEClick(true);
    EXPECT_TRUE(host.Values.RunAsExe);
}

TEST_F(Dialog, DepthChangeKeepsTheResolutionWhereTheNewDepthHasIt) {
    dialog.Start(); // 32 bits, 800x600
    dialog.ComboBoxDepthChange(0);
    EXPECT_EQ(dialog.ComboBoxResolution.Text(), "800x600");
    EXPECT_EQ(host.FullScreen, (VideoMode{16, 800, 600}));
    dialog.ComboBoxDepthChange(1);
    dialog.ComboBoxResolutionChange(2);
    EXPECT_EQ(host.FullScreen, (VideoMode{32, 1024, 768}));
    dialog.ComboBoxDepthChange(0); // no 1024x768 at 16 bits: the first size
    EXPECT_EQ(dialog.ComboBoxResolution.Text(), "640x480");
    EXPECT_EQ(host.FullScreen, (VideoMode{16, 640, 480}));
}

TEST_F(Dialog, DesktopOnlyDisablesBothListsAndShowsTheDesktopMode) {
    host.FullScreen = {16, 640, 480};
    dialog.Start();
    dialog.CheckBoxDesktopClick(true);
    EXPECT_TRUE(host.Values.DesktopOnly);
    EXPECT_FALSE(dialog.ComboBoxDepth.Enabled);
    EXPECT_FALSE(dialog.ComboBoxResolution.Enabled);
    EXPECT_EQ(host.FullScreen, host.Desktop);
    EXPECT_EQ(dialog.ComboBoxDepth.Text(), "32 bits");
    // The sizes shown are the desktop depth's, so a later choice picks a mode of that depth.
    EXPECT_EQ(dialog.ComboBoxResolution.Text(), "1024x768");
    dialog.CheckBoxDesktopClick(false);
    EXPECT_TRUE(dialog.ComboBoxDepth.Enabled && dialog.ComboBoxResolution.Enabled);
    EXPECT_EQ(host.FullScreen, host.Desktop);
    dialog.ComboBoxResolutionChange(0);
    EXPECT_EQ(host.FullScreen, (VideoMode{32, 640, 480}));
}

TEST_F(Dialog, DefaultResetsEverythingButRunAsExeAndLeavesTheSoundAlone) {
    host.Values.BubbleCount = 5;
    host.Values.DollarCount = 6;
    host.Values.AutoTheme = true;
    host.Values.SoundEnabled = false;
    host.Values.DesktopOnly = true;
    host.Values.RunAsExe = true;
    dialog.Start();
    dialog.ButtonDefaultClick();
    EXPECT_EQ(host.Defaults, 1);
    EXPECT_EQ(dialog.TrackBarBublesCount.Label, "100");
    EXPECT_EQ(dialog.TrackBarOndrelCount.Position, 60);
    EXPECT_EQ(dialog.ComboBoxThemes.Text(), "Immersion");
    EXPECT_TRUE(dialog.CheckBoxSound.Checked);
    EXPECT_FALSE(dialog.CheckBoxDesktop.Checked);
    EXPECT_TRUE(dialog.ComboBoxDepth.Enabled);
    EXPECT_TRUE(dialog.CheckBoxRunAsEXE.Checked);
    EXPECT_TRUE(host.Values.RunAsExe);
    EXPECT_EQ(host.SoundApplied, 0);
}

TEST_F(Dialog, SoundThatCannotStartDisablesAndClearsItsBox) {
    dialog.Start();
    dialog.CheckBoxSoundClick(false);
    EXPECT_FALSE(host.Values.SoundEnabled);
    EXPECT_EQ(host.SoundApplied, 1);
    host.SoundFails = true;
    dialog.CheckBoxSoundClick(true);
    EXPECT_FALSE(dialog.CheckBoxSound.Checked);
    EXPECT_FALSE(dialog.CheckBoxSound.Enabled);
    EXPECT_TRUE(dialog.Ready);
}

TEST_F(Dialog, OnlyOkSaves) {
    dialog.Start();
    dialog.ButtonExitClick(DialogResult::Cancel);
    EXPECT_EQ(host.Saves, 0);
    EXPECT_EQ(dialog.Result, DialogResult::Cancel);
    dialog.ButtonExitClick(DialogResult::Ok);
    EXPECT_EQ(host.Saves, 1);
    EXPECT_EQ(dialog.Result, DialogResult::Ok);
}

} // namespace
