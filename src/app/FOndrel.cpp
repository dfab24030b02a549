#include "app/FOndrel.h"

#include <cstdio>

#include "app/Application.h"
#include "app/FormSettings.h"
#include "app/SceneHost.h"
#include "app/SceneSession.h"
#include "assets/BmpDecoder.h"
#include "assets/LoadSettings.h"
#include "gl/TOpenGLEngine.h"
#include "platform/Cursor.h"
#include "platform/DisplayModes.h"
#include "platform/DisplayPower.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/Processes.h"
#include "platform/ProgramLocation.h"
#include "platform/SaverSystem.h"
#include "platform/Services.h"
#include "platform/SoundPlayer.h"
#include "scene/SceneRandom.h"

namespace quillaby::app {
namespace {

constexpr const char* kErrorCaption = "Ondrel Screen Saver Error!";
constexpr const char* kLogoResource = "logo_bmp";

// The form's still picture (150 x 110) as 0xRRGGBB pixels.
platform::RgbPicture LogoPicture() {
    const Bitmap bitmap = DecodeBmp(ProgramResources().Get(kLogoResource).Bytes());
    platform::RgbPicture picture;
    picture.Width = bitmap.Width;
    picture.Height = bitmap.Height;
    picture.Pixels.resize(static_cast<size_t>(bitmap.Width) * bitmap.Height);
    for (int y = 0; y < bitmap.Height; ++y) {
        const unsigned char* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width; ++x) {
            uint32_t rgb = 0;
            if (bitmap.Format == BitmapFormat::Palette8) {
                const PaletteColor& c = bitmap.Palette[row[x]];
                rgb = (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | c.B;
            } else if (bitmap.Format == BitmapFormat::Bgr24) {
                rgb = (uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
            }
            picture.Pixels[static_cast<size_t>(y) * bitmap.Width + x] = rgb;
        }
    }
    return picture;
}

} // namespace

TFormOndrel::TFormOndrel(TApplication& application, const RunOptions& options, platform::Services& services,
                         platform::SaverSystem& system)
    : ScreenSaverApp(application, options.ProgramPath, options.SaverArguments, system),
      FApplication(application), FRunOptions(options), FServices(services), FSystem(system) {}

TFormOndrel::~TFormOndrel() {
    // The scene and its window go before the component that logs for them.
    FHost.reset();
}

void TFormOndrel::Load() {
    ScreenSaverApp.Title = "Quillaby";
    ScreenSaverApp.Company = "Harnwick Software";
    ScreenSaverApp.MajorVersion = 1;
    ScreenSaverApp.MinorVersion = 9;
    ScreenSaverApp.SetLogFile(FRunOptions.LogFile);
    ScreenSaverApp.Debug = true;
    ScreenSaverApp.OnStart = [this] { ScreenSaverAppStart(); };
    ScreenSaverApp.OnStop = [this] { ScreenSaverAppStop(); };
    ScreenSaverApp.OnIdle = [this](bool& done) { ScreenSaverAppIdle(done); };
    ScreenSaverApp.OnException = [this](const std::exception& e) { ScreenSaverAppException(e); };
    ScreenSaverApp.OnLoadOptions = [this] { ScreenSaverAppLoadOptions(); };
    ExecutePro.WindowStyle = ewShow;
    ExecutePro.Priority = epNormal;
    ExecutePro.Mode = emProcess;
    ExecutePro.Wait = true;
    FApplication.OnEvent = [this](const platform::InputEvent& event) { FormEvent(event); };

    ScreenSaverApp.Initialize();
    if (ScreenSaverApp.AnotherInstance() || FApplication.Terminated()) return;
    FormCreate();
}

platform::EventPump& TFormOndrel::Pump() {
    if (FPreview) return *FPreview;
    if (!FPump) FPump = FServices.CreateEventPump();
    return *FPump;
}

void TFormOndrel::Close() {
    if (FClosed) return;
    FClosed = true;
    FormCloseQuery();
    ScreenSaverApp.Stop();
}

void TFormOndrel::FormCreate() {
    if (ScreenSaverApp.SaverMode() == smPreview) return;
    ScreenSaverApp.SetRegistryLocalMachine(true);
    ScreenSaverApp.SetRegistryReadOnly(true);
    Options.ReadProgramPath(ScreenSaverApp.Registry(), ScreenSaverApp.ProgramDir());
    ScreenSaverApp.SetRegistryLocalMachine(false);
    Options.ReadRunAsExe(ScreenSaverApp.Registry());
    ScreenSaverApp.ReleaseRegistry();
    if (Options.RunAsExe && IsSaverFile(FRunOptions.ProgramPath)) {
        if (ScreenSaverApp.SaverMode() == smSaver) RelaunchAsExe("/s");
        if (ScreenSaverApp.SaverMode() == smConfig) RelaunchAsExe("/c");
    }
}

void TFormOndrel::RelaunchAsExe(const std::string& modeSwitch) {
    // The twin gets the switch as an argument of its own and our long options: a single command line
    // could not tell the switch "/s" from a folder.
    std::vector<std::string> parameters = FRunOptions.OwnOptions;
    parameters.push_back(modeSwitch);
    ExecutePro.ExecuteProgram(Options.ProgramPath + platform::ExecutableFileName(ScreenSaverApp.BaseName()),
                              parameters);
    FApplication.Terminate();
}

void TFormOndrel::FormShow() {
    if (ScreenSaverApp.SaverMode() != smPreview || !FApplication.ShowMainForm) return;
    FPreview = FServices.CreateHostPreview(ScreenSaverApp.HostWindow(), LogoPicture(), FApplication.Title);
}

void TFormOndrel::ScreenSaverAppStart() {
    UseProgramResources(FRunOptions.AssetsDir);
    if (ScreenSaverApp.SaverMode() == smPreview) return;
    Ready = false;

    FDisplayModes = FServices.CreateDisplayModes();
    DisplayControl = std::make_unique<TDisplayControl>(*FDisplayModes);
    DisplayControl->OnEnumerate = DisplayControlEnumerate;
    DisplayControl->Loaded();
    const int depth = DisplayControl->DesktopMode().ColorDepth();
    if (depth != 16 && depth != 32) RaiseColorDepthWarning();
    if (DisplayControl->ColorDepthModes.Count() == 0) RaiseColorDepthWarning();

    FHost = std::make_unique<TSceneHost>(FServices, SceneOptions, FApplication.Messages(),
                                         FServices.CreateSoundPlayer());
    FHost->WriteLog = [this](const std::string& line) { ScreenSaverApp.WriteLog(line); };
    FHost->Loop().OnFrameRate([this](int fps) {
        if (!FullScreenActive && OnCaptionChange)
            OnCaptionChange("Quillaby Screen Saver FPS: " + std::to_string(fps));
    });
    FHost->Scene().SetSceneDefaults();
    platform::SetNormalPriority();
    if (FRunOptions.Seed)
        scene::SeedRandom(*FRunOptions.Seed);
    else
        scene::RandomizeFromClock();
    Options.SetDefaultOptions(*DisplayControl);
    ScreenSaverApp.LoadOptions();
    SceneOptions = Options.SceneOptions();
    FHost->Scene().CreateScene();
    FPause = std::make_unique<platform::DisplayPause>(FServices.WatchDisplayPower());

    if (ScreenSaverApp.SaverMode() == smSaver) {
        StartFullScreen();
        return;
    }
    StartSettings();
}

void TFormOndrel::ScreenSaverAppLoadOptions() {
    ScreenSaverApp.SetRegistryLocalMachine(false);
    ScreenSaverApp.SetRegistryReadOnly(true);
    Options.Load(ScreenSaverApp.Registry(), *DisplayControl);
}

void TFormOndrel::DisplayControlEnumerate(int32_t colorDepth, int32_t, int32_t, bool& accept) {
    accept = colorDepth == 16 || colorDepth == 32;
}

void TFormOndrel::StartSettings() {
    // The dialog is modal: the program ends when it closes.
    TFormSettings settings(*this, FApplication);
    settings.Run();
    FApplication.Terminate();
}

void TFormOndrel::StartPanelPreview(const platform::GLWindowOptions& area) {
    FHost->ReleaseOpenGL();
    DisplayControl->SetFullScreen(false);
    FullScreenActive = false;
    ShowCursor(true);
    ReleaseRenderWindow();
    FHost->CreateRenderWindow(area);
    FHost->SetupOpenGL();
    FHost->SetPowerSavers(0, 100); // the dialog's small panel stays as sharp and lively as it was
    if (FHost->Scene().Engine->Generic)
        FApplication.Messages().Show(
            "In this screen mode, hardware acceleration was not detected! The screen saver runs in Software "
            "mode with lower performance and quality!\r\nClick on Help button in the settings of screen "
            "saver to resolve this problem.",
            FApplication.Title, platform::MessageIcon::Error);
    ResetScene();
    FHost->ApplySound();
}

bool TFormOndrel::RunFullScreenPreview() {
    StartFullScreen();
    ShowCursor(false);
    ScreenSaverApp.SetScreenSaverRunning(true);
    struct Restore {
        TFormOndrel& Form;
        ~Restore() {
            Form.ScreenSaverApp.SetScreenSaverRunning(false);
            Form.ShowCursor(true);
        }
    } restore{*this};
    // Frames keep coming until input hides the window (no password in this mode).
    platform::EventPump& pump = Pump();
    while (FullScreenActive && !FApplication.Terminated()) {
        platform::InputEvent event;
        while (FullScreenActive && !FApplication.Terminated() && pump.Poll(event)) FormEvent(event);
        if (FullScreenActive && !DisplayAsleep()) RenderFrame();
    }
    return !FApplication.Terminated();
}

void TFormOndrel::RaiseColorDepthWarning() {
    throw Error("Warning! This Screen Saver needs High Color (16 bits) or True Color (32 bits) to work in "
                "Preview Mode.\r\n Change the Color Depth of your Windows Desktop to run it!");
}

void TFormOndrel::ReleaseRenderWindow() {
    if (FDisplayModes) FDisplayModes->DetachWindow();
    if (FHost) FHost->ReleaseRenderWindow();
}

void TFormOndrel::StartFullScreen() {
    FHost->ReleaseOpenGL();
    ReleaseRenderWindow();
    Options.NextAutoTheme();
    SceneOptions = Options.SceneOptions();
    DisplayControl->SetFullScreen(!Options.DesktopOnly);
    const TScreenMode& mode = DisplayControl->CurrentMode();

    platform::GLWindowOptions window;
    window.Title = FApplication.Title;
    const platform::MonitorRect primary = FServices.PrimaryMonitor();
    window.X = primary.X;
    window.Y = primary.Y;
    window.Width = mode.Width();
    window.Height = mode.Height();
    // The display modes make it full screen, in the mode switched to or over the desktop.
    window.Borderless = window.AlwaysOnTop = window.SkipTaskbar = true;
    // A click that reaches the window together with its focus (one pressed while the scene starts)
    // ends the run like any other.
    window.SaverInput = true;
    FHost->CreateRenderWindow(window);
    FHost->SetupOpenGL();
    platform::GLWindow& renderWindow = *FHost->RenderWindow();
    FDisplayModes->AttachWindow(renderWindow);
    ShowCursor(false);
    renderWindow.TakeInput();
    FHost->CoverOtherMonitors(Options.OtherMonitors);
    // The command line's power savers win over the stored ones (and are never stored).
    FHost->SetPowerSavers(FRunOptions.Given.MaxFps ? FRunOptions.MaxFps : Options.MaxFps,
                          FRunOptions.Given.RenderScale ? FRunOptions.RenderScale : Options.RenderScale);

    ResetScene();
    FullScreenActive = true;
    FHost->ApplySound();
    Options.SoundEnabled = SceneOptions.SoundEnabled; // a sound that failed switched itself off
}

void TFormOndrel::ResetScene() {
    Input.Reset();
    FHost->Loop().ResetScene();
}

void TFormOndrel::ScreenSaverAppIdle(bool& done) {
    // The still picture only changes when the host asks: wait for its events.
    if (ScreenSaverApp.SaverMode() == smPreview) {
        done = true;
        return;
    }
    if (FHost && FHost->RenderWindow() && !DisplayAsleep()) RenderFrame();
}

bool TFormOndrel::DisplayAsleep() {
    // The time asleep is no step of the scene, and no time of the frame rate.
    return FPause && FPause->Asleep([this] { FHost->Loop().Resume(); });
}

void TFormOndrel::RenderFrame() {
    if (FullScreenActive) FHost->RenderWindow()->KeepInputFocus();
    FHost->RenderFrame();
}

void TFormOndrel::FormEvent(const platform::InputEvent& event) {
    using Kind = platform::InputEvent::Kind;
    if (event.Type == Kind::Quit || (event.Type == Kind::Close && FPreview)) {
        FApplication.Terminate();
        return;
    }
    if (!FullScreenActive || !FHost || !FHost->RenderWindow() || !FHost->RenderWindow()->Native()) return;
    const bool onRenderWindow = FHost->OwnsWindow(event.Window); // one window per monitor
    switch (event.Type) {
    case Kind::Key:
    case Kind::MouseButton:
        // Until the full-screen window has the keyboard (it takes it once the scene has started),
        // a key still goes to the dialog's window: it ends the run all the same.
        HandleUserInput();
        break;
    case Kind::MouseMove:
        // Measured on the whole desktop: crossing from one monitor's window into another's is a move.
        if (onRenderWindow) CheckMouseMove(event.DesktopX, event.DesktopY);
        break;
    case Kind::Close:
        if (onRenderWindow) FApplication.Terminate();
        break;
    default:
        break;
    }
}

void TFormOndrel::CheckMouseMove(int x, int y) {
    if (Input.CheckMouseMove(x, y)) HandleUserInput();
}

void TFormOndrel::HandleUserInput() {
    Input.Reset();
    if (ScreenSaverApp.SaverMode() == smSaver && !ScreenSaverApp.VerifyPassword()) return;
    FHost->StopSound();
    FHost->HideRenderWindows();
    FullScreenActive = false;
    const TScreenMode& mode = DisplayControl->CurrentMode();
    char line[128];
    std::snprintf(line, sizeof line, "Full Screen mode: %dX%dX%d  FPS:%d", mode.Width(), mode.Height(),
                  mode.ColorDepth(), FHost->Loop().SceneFps);
    ScreenSaverApp.WriteLog(line);
    // A full-screen preview from the settings dialog returns to the dialog.
    if (ScreenSaverApp.SaverMode() == smSaver) FApplication.Terminate();
}

void TFormOndrel::FormCloseQuery() {
    if (ScreenSaverApp.SaverMode() == smPreview || !FHost) return;
    FHost->ReleaseOpenGL();
    if (DisplayControl) DisplayControl->SetFullScreen(false);
    ReleaseRenderWindow();
    FHost->DestroyScene();
}

void TFormOndrel::ScreenSaverAppStop() {
    // The rotating theme goes on with the next saver run; a failed run saves nothing.
    if (ScreenSaverApp.SaverMode() != smSaver || FFailed) return;
    ScreenSaverApp.SetRegistryLocalMachine(false);
    ScreenSaverApp.SetRegistryReadOnly(false);
    Options.SaveAutoTheme(ScreenSaverApp.Registry());
    ScreenSaverApp.ReleaseRegistry();
}

void TFormOndrel::ScreenSaverAppException(const std::exception& e) {
    FFailed = true;
    ShowCursor(true);
    // The report comes in any case, even when putting the display back fails.
    try {
        if (DisplayControl) DisplayControl->SetFullScreen(false);
        if (FHost) {
            FullScreenActive = false;
            FHost->ReleaseOpenGL();
            ReleaseRenderWindow();
        }
    } catch (const std::exception&) {
    }
    FApplication.Messages().Show(e.what(), kErrorCaption, platform::MessageIcon::Error);
    FApplication.SetExitCode(1);
    FApplication.Terminate();
}

void TFormOndrel::ShowCursor(bool show) {
    platform::ShowCursor(show);
}

int RunScreenSaver(const RunOptions& options, platform::Services& services) {
    const auto messages = services.CreateMessageBox(true);
    TApplication application(*messages);
    application.Title = "Quillaby";
    application.HelpFile = "QUILLABY.HLP";
    const auto system = services.CreateSaverSystem();
    TFormOndrel form(application, options, services, *system);
    try {
        form.Load();
        if (!application.Terminated()) form.FormShow();
    } catch (const std::exception& e) {
        application.HandleException(e);
    }
    if (!application.Terminated()) application.Run(form.Pump());
    try {
        form.Close();
    } catch (const std::exception& e) {
        application.HandleException(e);
    }
    return application.ExitCode();
}

} // namespace quillaby::app
