#pragma once
// The settings modes of the main form: the settings dialog over the form's options, display
// control and scene. The panel preview and "Preview..." are the form's own runs.
#include "ui/DialogHost.h"
#include "ui/PanelScene.h"
#include "ui/SettingsDialog.h"

namespace quillaby::app {

class TApplication;
class TFormOndrel;

class TFormSettings : public ui::DialogHost, public ui::PanelScene {
  public:
    TFormSettings(TFormOndrel& form, TApplication& application);

    // Shows the dialog until it is closed.
    void Run();
    // What the dialog is made of: this object, the form's help folder and the component's version.
    ui::SettingsDialogParts DialogParts();

    ui::DialogOptions& Options() override;
    std::vector<int> ColorDepths() const override;
    std::vector<ui::VideoMode> ModesOfDepth(int depthIndex) const override;
    ui::VideoMode FullScreenMode() const override;
    void SetFullScreenMode(const ui::VideoMode& mode) override;
    ui::VideoMode DesktopMode() const override;
    void SetDefaultOptions() override;
    void SaveOptions() override;
    void ApplySound() override;

    void StartPanel(const platform::GLWindowOptions& area) override;
    void RenderPanelFrame() override;
    void ResumePanel() override;
    void ReleasePanel() override;
    bool RunFullScreen() override;
    std::string OpenGLInfoText() const override;
    void OnFrameRate(std::function<void(int)> handler) override;

  private:
    // The dialog's options into the form's fields, which the scene reads every frame.
    void PushOptions();

    TFormOndrel& FForm;
    TApplication& FApplication;
};

} // namespace quillaby::app
