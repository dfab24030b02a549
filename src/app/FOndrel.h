#pragma once
// The main form: the composition root of the saver. Its handlers decide what each run mode does
// and hand the work to the objects it owns: the application component, the process launcher, the
// input gate, the scene host and the host-window preview.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/ExecutePro.h"
#include "app/InputGate.h"
#include "app/ScrSaverApp.h"
#include "display/DisplayControl.h"
#include "scene/SceneOptions.h"
#include "ui/Options.h"

namespace quillaby::platform {
class DisplayModes;
class DisplayPause;
class EventPump;
class SaverSystem;
class Services;
struct GLWindowOptions;
struct InputEvent;
} // namespace quillaby::platform

namespace quillaby::app {

class TApplication;
class TSceneHost;

class TFormOndrel {
  public:
    // The services and the saver system must outlive the form.
    TFormOndrel(TApplication& application, const RunOptions& options, platform::Services& services,
                platform::SaverSystem& system);
    ~TFormOndrel();
    TFormOndrel(const TFormOndrel&) = delete;
    TFormOndrel& operator=(const TFormOndrel&) = delete;

    // The stored layout read: the component's properties set and its Initialize run, then (unless
    // another copy runs) FormCreate.
    void Load();
    // The queue the application reads: the host-window preview's in that mode, the system's otherwise.
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
    void ScreenSaverAppLoadOptions();
    // Only 16-bit and 32-bit modes are listed or used.
    static void DisplayControlEnumerate(int32_t colorDepth, int32_t width, int32_t height, bool& accept);
    void HandleUserInput();
    void CheckMouseMove(int x, int y);
    void FormEvent(const platform::InputEvent& event);

    // The settings modes' render window, a part of the dialog's window: made, set up and reset;
    // software rendering is reported.
    void StartPanelPreview(const platform::GLWindowOptions& area);
    // "Preview...": the scene full screen until input hides it. False when the program is to end.
    bool RunFullScreenPreview();
    TSceneHost& SceneHost() { return *FHost; }

    TScreenSaverApp ScreenSaverApp;
    TExecutePro ExecutePro;
    TInputGate Input;
    TOptions Options;
    TSceneOptions SceneOptions;                      // what the scene reads every frame, taken from Options
    std::unique_ptr<TDisplayControl> DisplayControl; // made when the scene starts (not in the preview)
    bool FullScreenActive = false;
    bool Ready = false;
    // The main form's caption changes (once a second the frame rate of a run that is not full screen).
    std::function<void(const std::string&)> OnCaptionChange;

  private:
    void StartFullScreen();
    void ResetScene();
    void RenderFrame();
    // True while the monitors are powered down: the pass has waited instead of drawing.
    bool DisplayAsleep();
    void RaiseColorDepthWarning();
    void RelaunchAsExe(const std::string& modeSwitch);
    // The settings modes; the settings dialog takes over here.
    void StartSettings();
    void ShowCursor(bool show);
    // The render window goes, after it has let go of the display mode.
    void ReleaseRenderWindow();

    TApplication& FApplication;
    RunOptions FRunOptions;
    platform::Services& FServices;
    platform::SaverSystem& FSystem;
    std::unique_ptr<platform::DisplayModes> FDisplayModes;
    std::unique_ptr<TSceneHost> FHost;
    std::unique_ptr<platform::EventPump> FPreview;
    std::unique_ptr<platform::EventPump> FPump;
    std::unique_ptr<platform::DisplayPause> FPause; // made with the scene
    bool FClosed = false;
    bool FFailed = false; // the error report ran: nothing is saved any more
};

// The screen saver's run for the saver arguments of `options` on the system's `services`: returns
// the exit code.
int RunScreenSaver(const RunOptions& options, platform::Services& services);

} // namespace quillaby::app
