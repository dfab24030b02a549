#include "app/IdleWatchJob.h"

#include <filesystem>
#include <memory>

#include "app/AppPro.h"
#include "app/IdleAutostart.h"
#include "app/IdleWatcher.h"
#include "app/StoredSceneOptions.h"
#include "base/Error.h"
#include "base/Utf8Path.h"
#include "platform/BlockLogFile.h"
#include "platform/IdleDesktop.h"
#include "platform/IdleWatchControl.h"
#include "platform/Processes.h"
#include "platform/ProgramLocation.h"

namespace quillaby::app {
namespace {

constexpr const char* kCompany = "Harnwick Software";

// The watcher's lines: on the error stream, and with --log also in its own log file, beside the
// program where it may write, else in the user's state folder (the saver's log is its own).
class WatchLog {
  public:
    WatchLog(std::FILE* err, bool file, const std::string& programDir) : FErr(err) {
        if (file)
            FFile = std::make_unique<platform::BlockLogFile>(
                PlaceLogFile(programDir, "quillaby-idle-watch.log", kCompany));
    }
    void Say(const std::string& line) {
        std::fprintf(FErr, "quillaby: %s\n", line.c_str());
        std::fflush(FErr);
        if (FFile) FFile->Append(line + "\r\n");
    }

  private:
    std::FILE* FErr;
    std::unique_ptr<platform::BlockLogFile> FFile;
};

// The saver file beside the program as started, else beside the file a link started it through (an
// installed /usr/bin/quillaby links to the program's own folder, which holds quillaby.scr).
std::string SaverFile(const std::string& programPath) {
    const std::string folder = platform::ProgramDirectoryOf(programPath);
    const std::string beside = folder + "quillaby.scr";
    if (platform::IsExecutableFile(beside)) return beside;
    std::error_code error;
    const auto real = std::filesystem::canonical(Utf8Path(folder + platform::FileNameOf(programPath)), error);
    if (error) return beside;
    const std::string linked = Utf8String(real.parent_path() / "quillaby.scr");
    return platform::IsExecutableFile(linked) ? linked : beside;
}

int Watch(const RunOptions& options, std::FILE* err) {
    const int seconds = options.IdleAfterSeconds ? *options.IdleAfterSeconds : StoredIdleMinutes() * 60;
    const std::string programDir = platform::ProgramDirectoryOf(options.ProgramPath);
    const auto lock = platform::LockIdleWatch();
    if (!lock) {
        std::fprintf(err, "quillaby: an idle watcher is already running in this session\n");
        return 0;
    }
    std::string lookedFor;
    const auto desktop = platform::OpenIdleDesktop(seconds * 1000, lookedFor);
    if (!desktop) throw Error("cannot tell when the desktop is idle: looked for " + lookedFor);

    WatchLog log(err, options.LogFile, programDir);
    std::vector<std::string> saver = {SaverFile(options.ProgramPath), "/s"};
    if (options.LogFile) saver.push_back("--log");
    log.Say("watching through " + desktop->SourceName() + ": \"" + saver.front() + " /s\" starts after " +
            std::to_string(seconds) + " s of no input");
    if (!platform::IsExecutableFile(saver.front()))
        log.Say("\"" + saver.front() + "\" is missing: make it (a copy of the program or a link to it)");
    if (const auto blank = desktop->DesktopBlankSeconds(); blank && *blank > 0 && *blank <= seconds)
        log.Say("GNOME blanks the screen after " + std::to_string(*blank) + " s, before the saver's " +
                std::to_string(seconds) +
                " s: the saver would never be seen. Choose fewer minutes (quillaby --idle-watch on MINUTES) "
                "or a longer \"Screen Blank\" in GNOME's settings");
    return IdleWatcher(*desktop, saver, [&log](const std::string& line) { log.Say(line); }).Run();
}

std::string AbsoluteProgram(const RunOptions& options) {
    return platform::ProgramDirectoryOf(options.ProgramPath) + platform::FileNameOf(options.ProgramPath);
}

int TurnOn(const RunOptions& options, std::FILE* out) {
    if (options.IdleMinutes) {
        StoreIdleMinutes(*options.IdleMinutes);
    }
    const std::string program = AbsoluteProgram(options);
    const AutostartPlace place = AutostartPlaceFromEnvironment();
    const std::string line = CompositorStartLine(place.CurrentDesktop, program);
    if (line.empty())
        std::fprintf(out, "quillaby: the idle watcher starts with every session: %s\n",
                     WriteAutostartEntry(place, program).c_str());
    else
        std::fprintf(
            out, "quillaby: this desktop starts only what its configuration names; add this line:\n  %s\n",
            line.c_str());
    // A watcher already running keeps its old wait: the new one takes its place.
    platform::StopIdleWatch();
    std::string whyNot;
    if (!platform::StartIdleWatch(program, whyNot)) throw Error("Cannot start the idle watcher: " + whyNot);
    std::fprintf(out, "quillaby: the idle watcher runs; the saver starts after %d idle minutes\n",
                 StoredIdleMinutes());
    return 0;
}

int TurnOff(std::FILE* out) {
    const std::string removed = RemoveAutostartEntry(AutostartPlaceFromEnvironment());
    if (!removed.empty()) std::fprintf(out, "quillaby: %s\n", removed.c_str());
    std::fprintf(out, "quillaby: %s\n",
                 platform::StopIdleWatch() ? "the idle watcher has stopped" : "no idle watcher was running");
    return 0;
}

} // namespace

int RunIdleWatchJob(const RunOptions& options, std::FILE* out, std::FILE* err) {
    if (const std::string system = platform::SystemStartsSavers(); !system.empty()) {
        std::fprintf(err, "quillaby: %s\n", system.c_str());
        return 2;
    }
    switch (options.IdleWatch) {
    case IdleWatchAction::On:
        return TurnOn(options, out);
    case IdleWatchAction::Off:
        return TurnOff(out);
    case IdleWatchAction::Run:
        break;
    }
    return Watch(options, err);
}

} // namespace quillaby::app
