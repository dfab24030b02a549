#include "app/FormSettings.h"

#include "app/Application.h"
#include "app/FOndrel.h"
#include "app/SceneHost.h"
#include "base/Error.h"
#include "gl/TOpenGLEngine.h"
#include "platform/DesktopDisplay.h"
#include "ui/SettingsDialog.h"

namespace quillaby::app {

TFormSettings::TFormSettings(TFormOndrel& form, TApplication& application)
    : FForm(form), FApplication(application) {
    const TSceneOptions& o = form.Options;
    FOptions.BubbleCount = o.BubbleCount;
    FOptions.DollarCount = o.DollarCount;
    FOptions.ThemeIndex = o.ThemeIndex;
    FOptions.SoundEnabled = o.SoundEnabled;
    FOptions.RunAsExe = form.RunAsExe;
    FFullScreen = DesktopMode();
}

void TFormSettings::Run() {
    ui::SettingsDialogParts parts{*this, *this, FApplication.Messages(), FForm.ProgramPath,
                                  std::to_string(FForm.ScreenSaverApp.MajorVersion) + "." +
                                      std::to_string(FForm.ScreenSaverApp.MinorVersion)};
    ui::TSettingsDialog dialog(parts);
    dialog.Run();
}

void TFormSettings::PushOptions() {
    TSceneOptions& o = FForm.Options;
    o.BubbleCount = FOptions.BubbleCount;
    o.DollarCount = FOptions.DollarCount;
    o.ThemeIndex = FOptions.ThemeIndex;
    o.SoundEnabled = FOptions.SoundEnabled;
    FForm.RunAsExe = FOptions.RunAsExe;
}

// The display offers its desktop mode.
std::vector<int> TFormSettings::ColorDepths() const {
    return {DesktopMode().ColorDepth};
}

std::vector<ui::VideoMode> TFormSettings::ModesOfDepth(int) const {
    return {DesktopMode()};
}

ui::VideoMode TFormSettings::DesktopMode() const {
    const platform::ScreenMode mode = FForm.Display().DesktopMode();
    return {mode.ColorDepth, mode.Width, mode.Height};
}

void TFormSettings::SetDefaultOptions() {
    const bool runAsExe = FOptions.RunAsExe;
    FOptions = ui::DialogOptions{};
    FOptions.RunAsExe = runAsExe;
    FFullScreen = DesktopMode();
    PushOptions();
}

void TFormSettings::SaveOptions() {
    PushOptions();
    FForm.ScreenSaverApp.SaveOptions();
}

void TFormSettings::ApplySound() {
    PushOptions();
    FForm.SceneHost().ApplySound();
    // The sound reports its own failure and switches itself off; the dialog then greys its box.
    if (FOptions.SoundEnabled && !FForm.Options.SoundEnabled) {
        FOptions.SoundEnabled = false;
        throw Error("The bubble sound cannot be played");
    }
}

void TFormSettings::StartPanel(const platform::SdlGLWindowOptions& area) {
    PushOptions();
    FForm.StartPanelPreview(area);
}

void TFormSettings::RenderPanelFrame() {
    PushOptions();
    // The dialog's own drawing made its context current in between.
    FForm.SceneHost().Scene().Engine->MakeCurrent();
    FForm.SceneHost().RenderFrame();
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
    FForm.SceneHost().Loop().OnFrameRate(std::move(handler));
}

} // namespace quillaby::app
