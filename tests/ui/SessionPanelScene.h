#pragma once
// The scene for tests of the settings dialog, run as a scene session: in the dialog's panel, or full screen
// for "Preview...". The dialog's options reach the running scene every frame.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/SceneSession.h"
#include "ui/DialogHost.h"
#include "ui/PanelScene.h"

namespace quillaby::app {

class SessionPanelScene : public ui::PanelScene {
  public:
    // `base` gives the seed and the asset folder; a fixed step makes every frame advance the scene
    // by that many seconds (reproducible pictures).
    SessionPanelScene(ui::DialogOptions& options, RunOptions base,
                      std::optional<double> fixedStep = std::nullopt);
    ~SessionPanelScene() override;

    void StartPanel(const platform::GLWindowOptions& area) override;
    void RenderPanelFrame() override;
    void ResumePanel() override;
    void ReleasePanel() override;
    bool RunFullScreen() override;
    std::string OpenGLInfoText() const override { return FOpenGLInfoText; }
    void OnFrameRate(std::function<void(int)> handler) override;

    // Starts or stops the sound of the running scene as the options say (throws when it cannot).
    void ApplySound();
    SceneSession* Session() { return FSession.get(); }

  private:
    RunOptions CurrentRunOptions() const;
    void SyncOptions(SceneSession& session) const;
    void CollectOpenGLInfo();

    ui::DialogOptions& FOptions;
    RunOptions FBase;
    std::optional<double> FFixedStep;
    std::unique_ptr<SceneSession> FSession;
    std::function<void(int)> FFrameRate;
    std::string FOpenGLInfoText;
};

} // namespace quillaby::app
