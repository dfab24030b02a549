// The settings dialog with the saver's own scene host in its panel: a "Preview..." run (the panel's
// context released, a full-screen one made and released, the panel's made anew) must leave the
// dialog's own drawing as it was: its font, the About box's logo, every caption.
#include <gtest/gtest.h>

#include <SDL.h>

#include "FakeDialogHost.h"
#include "app/PngWriter.h"
#include "app/SceneHost.h"
#include "app/SceneSession.h"
#include "gl/TOpenGLEngine.h"
#include "platform/Services.h"
#include "scene/SceneRandom.h"
#include "support/FakeMessageBox.h"
#include "support/FakeSoundPlayer.h"
#include "support/OffscreenGL.h"
#include "ui/SettingsDialog.h"

namespace {

using namespace quillaby;

// The panel and the full-screen run as the main form drives the scene host.
class HostPanelScene : public ui::PanelScene {
  public:
    explicit HostPanelScene(app::TSceneHost& host) : FHost(host) {}
    void StartPanel(const platform::GLWindowOptions& area) override { Start(area); }
    void RenderPanelFrame() override {
        FHost.Scene().Engine->MakeCurrent();
        FHost.RenderFrame();
    }
    void ResumePanel() override { FHost.Loop().Resume(); }
    void ReleasePanel() override {
        FHost.ReleaseOpenGL();
        FHost.ReleaseRenderWindow();
    }
    bool RunFullScreen() override {
        platform::GLWindowOptions window;
        window.Width = 160;
        window.Height = 120;
        window.Hidden = true;
        Start(window);
        for (int i = 0; i < 3; ++i) FHost.RenderFrame();
        return true;
    }
    std::string OpenGLInfoText() const override { return FHost.OpenGLInfoText(); }
    void OnFrameRate(std::function<void(int)>) override {}

  private:
    void Start(const platform::GLWindowOptions& window) {
        FHost.ReleaseOpenGL();
        FHost.ReleaseRenderWindow();
        FHost.CreateRenderWindow(window);
        FHost.SetupOpenGL();
        FHost.Loop().ResetScene();
    }
    app::TSceneHost& FHost;
};

std::vector<uint8_t> Picture(ui::TSettingsDialog& dialog) {
    for (int i = 0; i < 2; ++i) dialog.IdlePass();
    dialog.IdlePass(false);
    return dialog.Window().ReadPixels();
}

// Black where the running scene shows: the panel outside the About box.
void MaskScene(std::vector<uint8_t>& rgba) {
    const ui::Rect& p = ui::PanelSceneArea;
    const ui::Rect& a = ui::AboutClient;
    for (int y = p.Top; y < p.Bottom(); ++y)
        for (int x = p.Left; x < p.Right(); ++x) {
            const bool about = x >= a.Left - 3 && x < a.Right() + 3 &&
                               y >= a.Top - ui::AboutCaptionHeight - 3 && y < a.Bottom() + 3;
            if (!about) std::fill_n(&rgba[(static_cast<std::size_t>(y) * ui::DialogWidth + x) * 4], 3, 0);
        }
}

TEST(DialogAfterPreview, TheControlsAndTheAboutBoxLookAsBefore) {
    test::FakeDialogHost options;
    options.Values.SoundEnabled = false;
    test::FakeMessageBox messages;
    TSceneOptions sceneOptions;
    sceneOptions.SoundEnabled = false;
    app::TSceneHost host(platform::SystemServices(), sceneOptions, messages,
                         std::make_unique<test::FakeSoundPlayer>());
    app::UseProgramResources("");
    host.Scene().SetSceneDefaults();
    scene::SeedRandom(5);
    host.Scene().CreateScene();
    HostPanelScene panel(host);
    ui::TSettingsDialog dialog({options, panel, messages, "/nonexistent/", "1.9"}, true, 1);
    dialog.StartPanelPreview();
    dialog.IdlePass();
    dialog.ButtonAboutClick();
    std::vector<uint8_t> before = Picture(dialog);

    dialog.ButtonPreviewClick();
    std::vector<uint8_t> after = Picture(dialog);
    app::WritePng(gltest::OutputPath("dialog-before-preview"), ui::DialogWidth, ui::DialogHeight, before);
    app::WritePng(gltest::OutputPath("dialog-after-preview"), ui::DialogWidth, ui::DialogHeight, after);
    MaskScene(before);
    MaskScene(after);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i];
    EXPECT_EQ(differing, 0u) << "see test-output/dialog-before-preview.png and dialog-after-preview.png";
}

} // namespace
