#include "app/AppPro.h"

#include <cmath>

#include "app/Application.h"
#include "platform/BlockLogFile.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBox.h"
#include "platform/ProgramLocation.h"

namespace quillaby::app {

TCustomApplicationPro::TCustomApplicationPro(TApplication& application, std::string programPath)
    : FApplication(application), FProgramPath(std::move(programPath)) {
    InstallHooks();
}

TCustomApplicationPro::~TCustomApplicationPro() {
    // Hooks that point at a destroyed component must not stay behind.
    FApplication.OnIdle = nullptr;
    FApplication.OnException = nullptr;
}

void TCustomApplicationPro::SetLogFile(bool on) {
    FLogFile = on;
    if (!on) FLog.reset();
}

void TCustomApplicationPro::LoadOptions() {
    if (!OnLoadOptions) return;
    OnLoadOptions();
    ReleaseRegistry();
}

void TCustomApplicationPro::SaveOptions() {
    if (!OnSaveOptions) return;
    OnSaveOptions();
    ReleaseRegistry();
}

void TCustomApplicationPro::SetRegistryReadOnly(bool on) {
    if (on != FRegistryReadOnly) ReleaseRegistry();
    FRegistryReadOnly = on;
}

void TCustomApplicationPro::SetRegistryLocalMachine(bool on) {
    if (on != FRegistryLocalMachine) ReleaseRegistry();
    FRegistryLocalMachine = on;
}

TRegistry& TCustomApplicationPro::Registry() {
    if (!FRegistry)
        FRegistry = TRegistry::Open(FRegistryLocalMachine ? TRootKey::LocalMachine : TRootKey::CurrentUser,
                                    Company, Title, FRegistryReadOnly);
    return *FRegistry;
}

void TCustomApplicationPro::WriteLog(const std::string& text) {
    if (!FLogFile) return;
    if (!FLog) OpenLog();
    FLog->Append(text + "\r\n");
}

std::string PlaceLogFile(const std::string& programDir, const std::string& fileName,
                         const std::string& folder) {
    // Beside the program where it may write; an installed program logs into the user's state folder.
    if (platform::DirectoryWritable(programDir)) return programDir + fileName;
    const std::string state = platform::UserStateDirectory() + "/" + folder;
    platform::MakeDirectories(state);
    return state + "/" + fileName;
}

void TCustomApplicationPro::OpenLog() {
    // The folder is tested only now that there is a line to write: on Windows the test makes and
    // removes a file there, which a run without a log must not do.
    FLogFileName = PlaceLogFile(FProgramDir, FBaseName + ".log", Company.empty() ? Title : Company);
    FLog = std::make_unique<platform::BlockLogFile>(FLogFileName);
}

void TCustomApplicationPro::Start() {
    if (FRunning) return;
    if (OnStart) OnStart();
    FRunning = true;
}

void TCustomApplicationPro::Stop() {
    if (!FRunning) return;
    if (OnStop) OnStop();
    FRunning = false;
}

void TCustomApplicationPro::Initialize() {
    if (!Title.empty()) FApplication.Title = Title;
    if (!FApplication.Title.empty()) Title = FApplication.Title;

    FProgramFileName = platform::FileNameOf(FProgramPath);
    FBaseName = FProgramFileName.substr(0, FProgramFileName.find('.'));
    FProgramDir = platform::ProgramDirectoryOf(FProgramPath);
    FLogFileName = FProgramDir + FBaseName + ".log"; // moved to the user's state folder by OpenLog

    InstallHooks();
    if (SingleInstance) CreateInstanceSemaphore();
}

void TCustomApplicationPro::InstallHooks() {
    FApplication.OnIdle = [this](bool& done) { Idle(done); };
    FApplication.OnException = [this](const std::exception& e) { HandleException(e); };
}

void TCustomApplicationPro::CreateInstanceSemaphore() {
    FLock = platform::LockInstance(FBaseName + "Semaphore");
    if (FLock) return;
    // Another copy runs: end without a window, a message or a log.
    FAnotherInstance = true;
    FLogFile = false;
    FApplication.Terminate();
    FApplication.ShowMainForm = false;
}

void TCustomApplicationPro::Idle(bool& done) {
    done = false;
    if (!FRunning) Start();
    if (OnIdle) OnIdle(done);
    ReleaseRegistry();
}

void TCustomApplicationPro::HandleException(const std::exception& e) {
    if (Debug) {
        // A log that cannot be written must not keep the real failure from its report.
        try {
            WriteLog(e.what());
        } catch (const std::exception&) {
        }
    }
    // The idle hook is out while the report runs (a modal box may pump messages) and back afterwards,
    // also when the report itself fails.
    struct Reinstall {
        TCustomApplicationPro& Self;
        ~Reinstall() {
            Self.FApplication.OnIdle = [s = &Self](bool& done) { s->Idle(done); };
        }
    } reinstall{*this};
    FApplication.OnIdle = nullptr;
    if (OnException) {
        OnException(e);
        return;
    }
    FApplication.Messages().Show(e.what(), FApplication.Title, platform::MessageIcon::Error);
    FApplication.SetExitCode(1);
    FApplication.Terminate();
}

TCustomGraphicApplicationPro::TCustomGraphicApplicationPro(TApplication& application, std::string programPath,
                                                           platform::Clock& clock)
    : TCustomApplicationPro(application, std::move(programPath)), FClock(clock) {}

TCustomGraphicApplicationPro::~TCustomGraphicApplicationPro() = default;

void TCustomGraphicApplicationPro::Idle(bool& done) {
    TCustomApplicationPro::Idle(done);
    ++FFrameCount;
    if (!FFrameTimer) FFrameTimer = std::make_unique<TTimerPro>(FClock);
    if (!FFrameTimer->Running()) {
        FFrameTimer->Start();
        FFrameCountStart = FFrameTimer->GetTime().AsSeconds();
    }
    const Extended elapsed = FFrameTimer->GetTime().AsSeconds();
    if (elapsed < FFrameCountStart) FFrameCountStart = elapsed;
    if (elapsed - FFrameCountStart >= 1.0) {
        const int rate = static_cast<int>(std::lround(FFrameCount / (elapsed - FFrameCountStart)));
        const bool changed = rate != FFramesPerSecond;
        FFramesPerSecond = rate;
        if (changed && OnFramesPerSecondChange) OnFramesPerSecondChange();
        FFrameCountStart = elapsed;
        FFrameCount = 0;
    }
}

} // namespace quillaby::app
