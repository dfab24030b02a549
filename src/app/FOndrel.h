#pragma once
// The main form: the composition root of the saver. Its handlers decide what each run mode does
// and hand the work to the objects it owns: the application component, the process launcher, the
// input gate, the scene host and the host-window preview.
#include <memory>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/ExecutePro.h"
#include "app/InputGate.h"
#include "app/ScrSaverApp.h"
#include "scene/SceneOptions.h"

namespace quillaby::platform {
class DesktopDisplay;
class EventPump;
class SaverSystem;
class X11HostPreview;
struct InputEvent;
} // namespace quillaby::platform

namespace quillaby::app {

class TApplication;
class TSceneHost;

class TFormOndrel {
  public:
    TFormOndrel(TApplication& application, const RunOptions& options, platform::SaverSystem& system);
    ~TFormOndrel();
    TFormOndrel(const TFormOndrel&) = delete;
    TFormOndrel& operator=(const TFormOndrel&) = delete;

    // The stored layout read: the component's properties set and its Initialize run, then (unless
    // another copy runs) FormCreate.
    void Load();
    // The queue the application reads: the host-window preview's in that mode, SDL's otherwise.
    platform::EventPump& Pump();
    // Ends the program: the close handler, then the component's stop.
    void Close();

    void FormCreate();
    void FormShow();
    void FormCloseQuery();
    void ScreenSaverAppStart();
    void ScreenSaverAppIdle(bool& done);
    void ScreenSaverAppStop();
    void ScreenSaverAppException(const std::exception& e);
    void HandleUserInput();
    void CheckMouseMove(int x, int y);
    void FormEvent(const platform::InputEvent& event);

    TScreenSaverApp ScreenSaverApp;
    TExecutePro ExecutePro;
    TInputGate Input;
    TSceneOptions Options;
    bool FullScreenActive = false;
    bool Ready = false;
    bool RunAsExe = false;
    std::string ProgramPath; // folder of the program and its executable twin, ending in "/"

  private:
    void StartFullScreen();
    void ResetScene();
    void RenderFrame();
    void RaiseColorDepthWarning();
    void RelaunchAsExe(const std::string& modeSwitch);
    // The settings modes; the settings dialog takes over here.
    void StartSettings();
    void ShowCursor(bool show);

    TApplication& FApplication;
    RunOptions FRunOptions;
    platform::SaverSystem& FSystem;
    std::unique_ptr<platform::DesktopDisplay> FDisplay;
    std::unique_ptr<TSceneHost> FHost;
    std::unique_ptr<platform::X11HostPreview> FPreview;
    std::unique_ptr<platform::EventPump> FPump;
    bool FClosed = false;
};

// The screen saver's run for the saver arguments of `options`: returns the exit code.
int RunScreenSaver(const RunOptions& options);

} // namespace quillaby::app
