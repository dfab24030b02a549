#pragma once
// The application component: title and maker, the program's paths, the log file, the single-instance
// lock, the hooks into the application object's idle and exception notifications, and the events it
// raises on its form. TCustomGraphicApplicationPro adds the frame-rate count of the idle passes.
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "timing/TimePro.h"
#include "ui/Registry.h"

namespace quillaby::platform {
class BlockLogFile;
class InstanceLock;
} // namespace quillaby::platform

namespace quillaby::app {

class TApplication;

// Where a log file called `fileName` goes: beside the program (`programDir`, ending in "/") where it may
// write, else in the user's state folder under `folder`, which is made when missing.
std::string PlaceLogFile(const std::string& programDir, const std::string& fileName,
                         const std::string& folder);

using TNotifyEvent = std::function<void()>;
using TIdleEvent = std::function<void(bool& done)>;
using TExceptionEvent = std::function<void(const std::exception& e)>;

class TCustomApplicationPro {
  public:
    // `programPath` is the name the program was started under (argument 0). The hooks go in at once.
    TCustomApplicationPro(TApplication& application, std::string programPath);
    virtual ~TCustomApplicationPro();
    TCustomApplicationPro(const TCustomApplicationPro&) = delete;
    TCustomApplicationPro& operator=(const TCustomApplicationPro&) = delete;

    std::string Title;
    std::string Company;
    int MajorVersion = 1;
    int MinorVersion = 0;
    bool Debug = false; // copy every exception message into the log

    TNotifyEvent OnLoadOptions;
    TNotifyEvent OnSaveOptions;
    TNotifyEvent OnStart;
    TNotifyEvent OnStop;
    TExceptionEvent OnException;
    TIdleEvent OnIdle;

    bool LogFile() const { return FLogFile; }
    // Switching the log off closes an open log.
    void SetLogFile(bool on);

    // Raise OnLoadOptions / OnSaveOptions, then close the options key.
    void LoadOptions();
    void SaveOptions();

    // How Registry opens the options key; a change closes the key that is open.
    bool RegistryReadOnly() const { return FRegistryReadOnly; }
    void SetRegistryReadOnly(bool on);
    bool RegistryLocalMachine() const { return FRegistryLocalMachine; }
    void SetRegistryLocalMachine(bool on);
    // The options key ("Software\<Company>\<Title>"), opened on first use and kept until ReleaseRegistry.
    TRegistry& Registry();
    void ReleaseRegistry() { FRegistry.reset(); }
    // One line (CR LF added) when LogFile is on; the first line of a run starts a new file.
    void WriteLog(const std::string& text);

    // Raise OnStart / OnStop, each once: Start only while stopped, Stop only while running.
    virtual void Start();
    virtual void Stop();
    bool Running() const { return FRunning; }

    // Paths, hooks and the single-instance test; run once the properties are set.
    virtual void Initialize();
    // The application object's idle hook: never lets it wait; starts the run on the first pass.
    virtual void Idle(bool& done);
    // The application object's exception hook.
    void HandleException(const std::exception& e);

    bool SingleInstance = true;
    // True when Initialize found another copy running: the application is told to end at once.
    bool AnotherInstance() const { return FAnotherInstance; }

    const std::string& ProgramFileName() const { return FProgramFileName; }
    const std::string& BaseName() const { return FBaseName; }
    const std::string& ProgramDir() const { return FProgramDir; }
    // Beside the program; from the first line on, the file actually written.
    const std::string& LogFileName() const { return FLogFileName; }

    TApplication& Application() { return FApplication; }

  protected:
    void InstallHooks();
    void CreateInstanceSemaphore();
    // Opens a new log at LogFileName, or in the user's state folder when the program's may not be
    // written.
    void OpenLog();
    const std::string& ProgramPath() const { return FProgramPath; }

  private:
    TApplication& FApplication;
    std::string FProgramPath;
    std::string FProgramFileName;
    std::string FBaseName;
    std::string FProgramDir;
    std::string FLogFileName;
    bool FLogFile = false;
    bool FRunning = false;
    bool FRegistryReadOnly = false;
    bool FRegistryLocalMachine = false;
    std::unique_ptr<TRegistry> FRegistry;
    bool FAnotherInstance = false;
    std::unique_ptr<platform::InstanceLock> FLock;
    std::unique_ptr<platform::BlockLogFile> FLog;
};

class TCustomGraphicApplicationPro : public TCustomApplicationPro {
  public:
    TCustomGraphicApplicationPro(TApplication& application, std::string programPath,
                                 platform::Clock& clock = platform::SystemClock());
    ~TCustomGraphicApplicationPro() override;

    // Counts the pass and, at least one second after the last sample, measures the rate.
    void Idle(bool& done) override;

    // Frames per second of the last sample; never below 1.
    int FramesPerSecond() const { return FFramesPerSecond == 0 ? 1 : FFramesPerSecond; }
    int FrameCount() const { return FFrameCount; }
    TNotifyEvent OnFramesPerSecondChange;

  private:
    platform::Clock& FClock;
    std::unique_ptr<TTimerPro> FFrameTimer; // made on first use
    int FFramesPerSecond = 0;
    int FFrameCount = 0;
    Extended FFrameCountStart = 0; // seconds on FFrameTimer
};

} // namespace quillaby::app
