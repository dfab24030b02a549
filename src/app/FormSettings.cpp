#include "app/FormSettings.h"

#include "app/Application.h"
#include "app/FOndrel.h"
#include "app/SceneHost.h"
#include "base/Error.h"
#include "gl/TOpenGLEngine.h"
#include "ui/Registry.h"
#include "ui/SettingsDialog.h"

namespace quillaby::app {

TFormSettings::TFormSettings(TFormOndrel& form, TApplication& application)
    : FForm(form), FApplication(application) {
    // Only 16-bit and 32-bit modes are ever listed or used.
    FDisplayControl.OnEnumerate = [](int32_t depth, int32_t, int32_t, bool& accept) {
        accept = depth == 16 || depth == 32;
    };
    FDisplayControl.Enumerate();
    FOptions.SetDefaultOptions(FDisplayControl);
    const auto key = TRegistry::Open(TRootKey::CurrentUser, FForm.ScreenSaverApp.Company,
                                     FForm.ScreenSaverApp.Title, true);
    FOptions.Load(*key, FDisplayControl);
    FOptions.ReadRunAsExe(*key);
    FOptions.ProgramPath = FForm.ProgramPath;
}

void TFormSettings::Run() {
    ui::SettingsDialogParts parts{*this, *this, FApplication.Messages(), FForm.ProgramPath,
                                  std::to_string(FForm.ScreenSaverApp.MajorVersion) + "." +
                                      std::to_string(FForm.ScreenSaverApp.MinorVersion)};
    ui::TSettingsDialog dialog(parts);
    dialog.Run();
}

void TFormSettings::PushOptions() {
    const bool fewerPasses = FForm.Options.FewerPasses;
    FForm.Options = FOptions.SceneOptions();
    FForm.Options.FewerPasses = fewerPasses || FOptions.FewerPasses;
    FForm.RunAsExe = FOptions.RunAsExe;
}

std::vector<int> TFormSettings::ColorDepths() const {
    std::vector<int> depths;
    for (int i = 0; i < FDisplayControl.ColorDepthModes.Count(); ++i)
        depths.push_back(FDisplayControl.ColorDepthModes.Items(i).ColorDepth);
    return depths;
}

std::vector<ui::VideoMode> TFormSettings::ModesOfDepth(int depthIndex) const {
    std::vector<ui::VideoMode> modes;
    const TColorDepthMode& group = FDisplayControl.ColorDepthModes.Items(depthIndex);
    for (int i = 0; i < group.Modes.Count(); ++i) {
        const TScreenMode& m = group.Modes.Items(i);
        modes.push_back({m.ColorDepth(), m.Width(), m.Height()});
    }
    return modes;
}

ui::VideoMode TFormSettings::FullScreenMode() const {
    const TScreenMode& m = FDisplayControl.FullScreenMode();
    return {m.ColorDepth(), m.Width(), m.Height()};
}

void TFormSettings::SetFullScreenMode(const ui::VideoMode& mode) {
    FDisplayControl.FullScreenMode().SetMode(mode.Width, mode.Height, mode.ColorDepth);
}

ui::VideoMode TFormSettings::DesktopMode() const {
    // The display control reads the desktop's mode on its first request.
    TScreenMode& m = const_cast<TDisplayControl&>(FDisplayControl).DesktopMode();
    return {m.ColorDepth(), m.Width(), m.Height()};
}

void TFormSettings::SetDefaultOptions() {
    FOptions.SetDefaultOptions(FDisplayControl);
    PushOptions();
}

void TFormSettings::SaveOptions() {
    PushOptions();
    const auto key = TRegistry::Open(TRootKey::CurrentUser, FForm.ScreenSaverApp.Company,
                                     FForm.ScreenSaverApp.Title, false);
    FOptions.Save(*key, FDisplayControl);
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
