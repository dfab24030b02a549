// The settings dialog rendered for real (offscreen): the whole dialog against a picture reviewed by
// eye, with the live panel masked; and the scene drawn through the panel, between the dialog's own
// drawing, still matching the scene's reviewed pictures. Rewrite the dialog's reference with
//     QUILLABY_UPDATE_GOLDEN=1 build/release/tests/test_ui --gtest_filter='DialogPicture*'
// and look at tests/golden/settings-dialog.png before committing it.
#include <gtest/gtest.h>

#include <SDL.h>

#include "FakeDialogHost.h"
#include "SessionPanelScene.h"
#include "gl/DialogGLCalls.h"
#include "platform/sdl/SdlDialogWindow.h"
#include "scene/GoldenImage.h"
#include "support/FakeMessageBox.h"
#include "support/OffscreenGL.h"
#include "ui/SettingsDialog.h"

namespace {

using namespace quillaby;

app::RunOptions SceneRun(int theme) {
    app::RunOptions run;
    run.Theme = theme;
    run.Seed = 11;
    run.Sound = false;
    return run;
}

void MaskPanel(std::vector<uint8_t>& rgba) {
    const ui::Rect& p = ui::PanelSceneArea;
    for (int y = p.Top; y < p.Bottom(); ++y)
        for (int x = p.Left; x < p.Right(); ++x)
            for (int c = 0; c < 4; ++c)
                rgba[(static_cast<std::size_t>(y) * ui::DialogWidth + x) * 4 + c] = c == 3 ? 255 : 0;
}

// The dialog with the scene of a theme running in its panel, drawn `scale` times larger.
struct LiveDialog {
    explicit LiveDialog(int theme, int scale = 1)
        : host(SilentHost()), scene(host.Values, SceneRun(theme), 1.0 / 30),
          dialog({host, scene, messages, "/nonexistent/", "1.9"}, true, scale) {
        dialog.StartPanelPreview();
    }
    static test::FakeDialogHost SilentHost() {
        test::FakeDialogHost silent;
        silent.Values.SoundEnabled = false;
        return silent;
    }
    // A few idle passes, the last one left in the back buffer and read.
    std::vector<uint8_t> Picture(int passes = 3) {
        for (int i = 0; i < passes; ++i) dialog.IdlePass();
        dialog.IdlePass(false);
        return dialog.Window().ReadPixels();
    }
    test::FakeDialogHost host;
    test::FakeMessageBox messages;
    app::SessionPanelScene scene;
    ui::TSettingsDialog dialog;
};

TEST(DialogPicture, TheDialogLooksAsReviewed) {
    LiveDialog live(0);
    std::vector<uint8_t> picture = live.Picture();
    app::WritePng(gltest::OutputPath("settings-dialog-live"), ui::DialogWidth, ui::DialogHeight, picture);
    MaskPanel(picture);
    const std::string reference = std::string(QUILLABY_SOURCE_DIR) + "/tests/golden/settings-dialog.png";
    EXPECT_TRUE(test::MatchesGolden(reference, ui::DialogWidth, ui::DialogHeight, picture, {16, 0.002}));
}

TEST(DialogPicture, TheAboutBoxShowsTheLogoAndTheOpenGLFoundOverTheRunningPanel) {
    LiveDialog live(1);
    live.dialog.IdlePass();
    live.dialog.ButtonAboutClick();
    const std::vector<uint8_t> picture = live.Picture(2);
    app::WritePng(gltest::OutputPath("about-box"), ui::DialogWidth, ui::DialogHeight, picture);
    EXPECT_NE(live.scene.OpenGLInfoText().find("OpenGL:  "), std::string::npos);
    // The logo's corner pixel sits inside the frame, two pixels in; the panel still shows the scene
    // where the box leaves it uncovered (not the dialog's colour and not black).
    const auto pixel = [&](int x, int y) {
        return &picture[(static_cast<std::size_t>(y) * ui::DialogWidth + x) * 4];
    };
    const uint8_t* logo = pixel(ui::AboutClient.Left + ui::AboutLogoBevel.Left + 2 + 75,
                                ui::AboutClient.Top + ui::AboutLogoBevel.Top + 2 + 55);
    const uint8_t* background = pixel(ui::AboutClient.Left + 200, ui::AboutClient.Top + 230);
    EXPECT_NE(std::vector<uint8_t>(logo, logo + 3), std::vector<uint8_t>(background, background + 3));
    EXPECT_EQ(std::vector<uint8_t>(background, background + 3),
              (std::vector<uint8_t>{ui::DialogRed, ui::DialogGreen, ui::DialogBlue}));
    const uint8_t* panel = pixel(ui::PanelSceneArea.Left + 20, ui::PanelSceneArea.Top + 10);
    EXPECT_GT(panel[0] + panel[1] + panel[2], 0);
}

// The scene in a 160 x 120 part of the dialog's window, drawn in turn with the dialog's controls:
// each theme must look as it does on a window of its own.
class PanelPicture : public ::testing::TestWithParam<int> {};

TEST_P(PanelPicture, SceneDrawnBetweenTheControlsMatchesItsReviewedPicture) {
    test::FakeDialogHost host;
    host.Values.ThemeIndex = GetParam();
    host.Values.SoundEnabled = false;
    platform::SdlDialogWindow window(gl::CreateDialogGL(), "Quillaby test", ui::DialogWidth, ui::DialogHeight,
                                     true);
    const ui::DialogFonts fonts = ui::LoadDialogFonts();
    ui::TSettingsDialogView::ApplyStyle(ImGui::GetStyle());
    ui::TDialogController controller(host);
    controller.Start();
    ui::TSettingsDialogView view(controller, fonts);
    app::SessionPanelScene scene(host.Values, SceneRun(GetParam()), 1.0 / 30);
    const ui::Rect area{ui::PanelSceneArea.Left, ui::PanelSceneArea.Top, 160, 120};
    scene.StartPanel(window.AreaOptions(area.Left, area.Top, area.Width, area.Height));
    constexpr int Frames = 10;
    for (int i = 0; i < Frames; ++i) {
        scene.RenderPanelFrame();
        window.BeginFrame();
        view.Draw(true);
        window.RenderFrame();
        if (i + 1 < Frames) window.Present();
    }
    const std::vector<uint8_t> whole = window.ReadPixels();
    std::vector<uint8_t> panel;
    for (int y = area.Top; y < area.Bottom(); ++y) {
        const auto row = whole.begin() + (static_cast<std::ptrdiff_t>(y) * ui::DialogWidth + area.Left) * 4;
        panel.insert(panel.end(), row, row + area.Width * 4);
    }
    scene.ReleasePanel();
    const std::string reference =
        std::string(QUILLABY_SOURCE_DIR) + "/tests/golden/theme" + std::to_string(GetParam()) + ".png";
    EXPECT_TRUE(test::MatchesGolden(reference, area.Width, area.Height, panel, {16, 0.01}));
}

INSTANTIATE_TEST_SUITE_P(Themes, PanelPicture, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return "Theme" + std::to_string(info.param); });

} // namespace

// At twice the size every design pixel is two by two (the panel's bevel here), and the scene fills
// the whole doubled panel at its real pixel size.
TEST(DialogPicture, AtTwiceTheSizeTheBevelsDoubleAndTheSceneFillsThePanel) {
    LiveDialog live(0, 2);
    ASSERT_EQ(live.dialog.Window().PixelWidth(), 2 * ui::DialogWidth);
    ASSERT_EQ(live.dialog.Window().PixelHeight(), 2 * ui::DialogHeight);
    const std::vector<uint8_t> picture = live.Picture(2);
    app::WritePng(gltest::OutputPath("settings-dialog-2x"), 2 * ui::DialogWidth, 2 * ui::DialogHeight,
                  picture);
    const auto rgb = [&](int x, int y) {
        const uint8_t* p = &picture[(static_cast<std::size_t>(y) * 2 * ui::DialogWidth + x) * 4];
        return std::vector<int>{p[0], p[1], p[2]};
    };
    const ui::Rect& bevel = ui::PanelPreview;
    for (int dx = 0; dx < 2; ++dx)
        for (int dy = 0; dy < 2; ++dy) {
            EXPECT_EQ(rgb(2 * bevel.Left + dx, 2 * bevel.Top + 4 + dy), (std::vector<int>{128, 128, 128}));
            EXPECT_EQ(rgb(2 * bevel.Left + 2 + dx, 2 * bevel.Top + 4 + dy),
                      (std::vector<int>{255, 255, 255}));
        }
    const ui::Rect& s = ui::PanelSceneArea;
    for (const auto& [x, y] :
         {std::pair{2 * s.Left, 2 * s.Top}, std::pair{2 * s.Right() - 1, 2 * s.Top},
          std::pair{2 * s.Left, 2 * s.Bottom() - 1}, std::pair{2 * s.Right() - 1, 2 * s.Bottom() - 1}}) {
        const std::vector<int> c = rgb(x, y);
        EXPECT_GT(c[0] + c[1] + c[2], 0) << x << "," << y;
        EXPECT_NE(c, (std::vector<int>{ui::DialogRed, ui::DialogGreen, ui::DialogBlue})) << x << "," << y;
    }
}
