#include "app/FormSettings.h"

#include "app/Application.h"
#include "app/FOndrel.h"
#include "app/SceneHost.h"
#include "base/Error.h"
#include "gl/TOpenGLEngine.h"
#include "ui/Registry.h"

namespace quillaby::app {

TFormSettings::TFormSettings(TFormOndrel& form, TApplication& application)
    : FForm(form), FApplication(application) {}

ui::DialogOptions& TFormSettings::Options() {
    return FForm.Options;
}

ui::SettingsDialogParts TFormSettings::DialogParts() {
    return {*this,
            *this,
            FApplication.Messages(),
            FForm.Options.ProgramPath,
            std::to_string(FForm.ScreenSaverApp.MajorVersion) + "." +
                std::to_string(FForm.ScreenSaverApp.MinorVersion),
            FForm.ScreenSaverApp.GivenWindow()};
}

void TFormSettings::Run() {
    ui::TSettingsDialog dialog(DialogParts());
    dialog.Run();
}

void TFormSettings::PushOptions() {
    FForm.SceneOptions = FForm.Options.SceneOptions();
}

std::vector<int> TFormSettings::ColorDepths() const {
    std::vector<int> depths;
    for (int i = 0; i < FForm.DisplayControl->ColorDepthModes.Count(); ++i)
        depths.push_back(FForm.DisplayControl->ColorDepthModes.Items(i).ColorDepth);
    return depths;
}

std::vector<ui::VideoMode> TFormSettings::ModesOfDepth(int depthIndex) const {
    std::vector<ui::VideoMode> modes;
    const TColorDepthMode& group = FForm.DisplayControl->ColorDepthModes.Items(depthIndex);
    for (int i = 0; i < group.Modes.Count(); ++i) {
        const TScreenMode& m = group.Modes.Items(i);
        modes.push_back({m.ColorDepth(), m.Width(), m.Height()});
    }
    return modes;
}

ui::VideoMode TFormSettings::FullScreenMode() const {
    const TScreenMode& m = FForm.DisplayControl->FullScreenMode();
    return {m.ColorDepth(), m.Width(), m.Height()};
}

void TFormSettings::SetFullScreenMode(const ui::VideoMode& mode) {
    FForm.DisplayControl->FullScreenMode().SetMode(mode.Width, mode.Height, mode.ColorDepth);
}

ui::VideoMode TFormSettings::DesktopMode() const {
    TScreenMode& m = FForm.DisplayControl->DesktopMode();
    return {m.ColorDepth(), m.Width(), m.Height()};
}

void TFormSettings::SetDefaultOptions() {
    FForm.Options.SetDefaultOptions(*FForm.DisplayControl);
    PushOptions();
}

void TFormSettings::SaveOptions() {
    PushOptions();
    const auto key = TRegistry::Open(TRootKey::CurrentUser, FForm.ScreenSaverApp.Company,
                                     FForm.ScreenSaverApp.Title, false);
    FForm.Options.Save(*key, *FForm.DisplayControl);
}

void TFormSettings::ApplySound() {
    PushOptions();
    FForm.SceneHost().ApplySound();
    // The sound reports its own failure and switches itself off; the dialog then greys its box.
    if (FForm.Options.SoundEnabled && !FForm.SceneOptions.SoundEnabled) {
        FForm.Options.SoundEnabled = false;
        throw Error("The bubble sound cannot be played");
    }
}

void TFormSettings::StartPanel(const platform::GLWindowOptions& area) {
    PushOptions();
    FForm.StartPanelPreview(area);
}

void TFormSettings::RenderPanelFrame() {
    PushOptions();
    // The dialog's own drawing made its context current in between.
    FForm.SceneHost().Scene().Engine->MakeCurrent();
    FForm.SceneHost().RenderFrame();
}

void TFormSettings::ResumePanel() {
    FForm.SceneHost().Loop().Resume();
}

void TFormSettings::ReleasePanel() {
    FForm.SceneHost().ReleaseOpenGL();
    FForm.SceneHost().ReleaseRenderWindow();
}

bool TFormSettings::RunFullScreen() {
    PushOptions();
    return FForm.RunFullScreenPreview();
}

std::string TFormSettings::OpenGLInfoText() const {
    return FForm.SceneHost().OpenGLInfoText();
}

void TFormSettings::OnFrameRate(std::function<void(int)> handler) {
    // The caption follows the panel; a full-screen run leaves it as it was.
    if (handler)
        handler = [this, panel = std::move(handler)](int fps) {
            if (!FForm.FullScreenActive) panel(fps);
        };
    FForm.SceneHost().Loop().OnFrameRate(std::move(handler));
}

} // namespace quillaby::app
