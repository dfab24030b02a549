#include "ui/SettingsDialog.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "assets/BmpDecoder.h"
#include "assets/Resources.h"
#include "base/Utf8Path.h"
#include "platform/Processes.h"
#include "ui/DialogScale.h"

namespace quillaby::ui {

namespace {

// The scale on a display of this density, as the overrides, the desktop and the monitor decide it.
ScaleChoice ScaleAt(const platform::DisplayDensity& density) {
    return ChooseDialogScale(std::getenv(OwnScaleVariable), std::getenv(DesktopScaleVariable), density,
                             DialogWidth, DialogHeight);
}

// The scale of the session's display; an unreadable override is named once, here.
int DisplayScale(platform::Services& services) {
    const ScaleChoice choice = ScaleAt(services.ReadDisplayDensity());
    if (!choice.IgnoredVariable.empty()) {
        const std::string name(choice.IgnoredVariable);
        std::fprintf(stderr, "%s=\"%s\" is not a whole number from 1 to %d: it is ignored\n", name.c_str(),
                     std::getenv(name.c_str()), MaxDialogScale);
    }
    return choice.Scale;
}

} // namespace

TSettingsDialog::TSettingsDialog(SettingsDialogParts parts, bool hidden, int scale,
                                 platform::Services& services)
    : FParts(std::move(parts)),
      FWindow(services.CreateDialogWindow(Caption, DialogWidth, DialogHeight, hidden,
                                          scale > 0 ? scale : DisplayScale(services), FParts.Owner)),
      FFonts(LoadDialogFonts(FWindow->Scale())), FController(FParts.Options), FView(FController, FFonts),
      FPause(services.WatchDisplayPower()) {
    TSettingsDialogView::ApplyStyle(ImGui::GetStyle());
    // A scale the caller chose stays; one the display chose follows the dialog to other monitors.
    if (scale <= 0)
        FWindow->FollowDensity(
            [](const platform::DisplayDensity& density) { return ScaleAt(density).Scale; });
    FController.Start();
    FParts.Scene.OnFrameRate(
        [this](int fps) { FWindow->SetTitle(std::string(Caption) + " FPS: " + std::to_string(fps)); });
}

TSettingsDialog::~TSettingsDialog() {
    FParts.Scene.OnFrameRate(nullptr);
    if (FPanelRunning) FParts.Scene.ReleasePanel();
}

void TSettingsDialog::StartPanelPreview() {
    FPanelRunning = false;
    FPanelHasFrame = false;
    FParts.Scene.StartPanel(FWindow->AreaOptions(PanelSceneArea.Left, PanelSceneArea.Top,
                                                 PanelSceneArea.Width, PanelSceneArea.Height));
    FPanelRunning = true;
}

void TSettingsDialog::FollowScale() {
    // The text is set anew at the new size (not stretched), the panel's scene drawn at its new pixels.
    ImGui::GetIO().Fonts->Clear();
    FFonts = LoadDialogFonts(FWindow->Scale());
    if (FPanelRunning) StartPanelPreview();
}

void TSettingsDialog::IdlePass(bool present) {
    if (FWindow->PumpEvents()) FController.ButtonExitClick(DialogResult::Cancel);
    if (FWindow->TakeScaleChange()) FollowScale();
    if (FController.Result != DialogResult::None) return;
    if (FPanelRunning) {
        FParts.Scene.RenderPanelFrame();
        FPanelHasFrame = true;
    }
    FWindow->BeginFrame();
    const DialogRequest request = FView.Draw(FPanelHasFrame);
    FWindow->RenderFrame();
    if (present) FWindow->Present();
    switch (request) {
    case DialogRequest::Preview:
        ButtonPreviewClick();
        break;
    case DialogRequest::Help:
        ButtonHelpClick();
        break;
    case DialogRequest::About:
        ButtonAboutClick();
        break;
    case DialogRequest::None:
        break;
    }
}

DialogResult TSettingsDialog::Run() {
    StartPanelPreview();
    while (FController.Result == DialogResult::None) {
        // While the monitors are off the dialog draws nothing, its panel included; input still counts.
        if (FPause.Asleep([this] {
                if (FPanelRunning) FParts.Scene.ResumePanel();
            })) {
            if (FWindow->PumpEvents()) FController.ButtonExitClick(DialogResult::Cancel);
            continue;
        }
        IdlePass();
    }
    return FController.Result;
}

void TSettingsDialog::ButtonPreviewClick() {
    FPanelRunning = false;
    FParts.Scene.ReleasePanel();
    if (!FParts.Scene.RunFullScreen()) {
        FController.ButtonExitClick(DialogResult::Cancel);
        return;
    }
    StartPanelPreview();
    FWindow->Focus();
}

void TSettingsDialog::ButtonHelpClick() {
    const std::string page = FParts.ProgramPath + HelpFileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(Utf8Path(page), error)) {
        FParts.Messages.Show("The help page \"" + page + "\" is missing.", "Quillaby",
                             platform::MessageIcon::Error);
        return;
    }
    const std::string url = "file://" + Utf8String(std::filesystem::absolute(Utf8Path(page)));
    std::string whyNot;
    if (!platform::OpenDocument(url, &whyNot))
        FParts.Messages.Show("The help page \"" + page + "\" cannot be opened (" + whyNot +
                                 "). Open it in a web browser.",
                             "Quillaby", platform::MessageIcon::Error);
}

void* TSettingsDialog::Logo() {
    if (FLogo) return FLogo;
    const EmbeddedResources resources(ProgramResourceTable());
    const std::optional<ResourceData> file = resources.Find("LOGO_BMP");
    if (!file) return nullptr;
    const Bitmap bitmap = DecodeBmp(file->Bytes());
    if (!bitmap.HasPixels()) return nullptr;
    std::vector<uint8_t> rgba(static_cast<std::size_t>(bitmap.Width) * bitmap.Height * 4);
    for (int y = 0; y < bitmap.Height; ++y)
        for (int x = 0; x < bitmap.Width; ++x) {
            uint8_t* out = &rgba[(static_cast<std::size_t>(y) * bitmap.Width + x) * 4];
            const unsigned char* row = bitmap.Row(y);
            if (bitmap.Format == BitmapFormat::Palette8) {
                const PaletteColor& c = bitmap.Palette[row[x]];
                out[0] = c.R, out[1] = c.G, out[2] = c.B;
            } else {
                out[0] = row[x * 3 + 2], out[1] = row[x * 3 + 1], out[2] = row[x * 3];
            }
            out[3] = 255;
        }
    FLogo = FWindow->CreateTexture(rgba, bitmap.Width, bitmap.Height);
    return FLogo;
}

void TSettingsDialog::ButtonAboutClick() {
    AboutContent content;
    content.VersionText = FParts.VersionText;
    content.OpenGLInfoText = FParts.Scene.OpenGLInfoText();
    content.Logo = Logo();
    FView.About().ShowAbout(std::move(content));
}

} // namespace quillaby::ui
