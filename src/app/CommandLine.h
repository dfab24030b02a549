#pragma once
// The program's command line: which job to do and the scene's settings for it. Our own long
// options ("--name") are taken out first; what is left, renumbered, is the screen-saver command line
// ("/s", "/p 4711", "/c:4711" ...) that the saver component reads.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"

namespace quillaby::app {

// A command line the program cannot act on; the message says what is wrong.
class UsageError : public Error {
  public:
    using Error::Error;
};

enum class JobKind {
    Saver,     // the screen saver in the mode its screen-saver arguments select
    Window,    // the scene in an ordinary resizable window
    Snapshot,  // a fixed number of frames offscreen, the last written to a PNG file
    Wallpaper, // the scene on the desktop's background of every output, until the system stops it
    IdleWatch, // wait for the desktop to go idle and start the saver, again and again
    Help,      // print the usage and stop
};

// What --idle-watch does: watch in this process, or turn the watcher on or off for the user's sessions.
enum class IdleWatchAction { Run, On, Off };

struct RunOptions {
    JobKind Job = JobKind::Saver;
    std::string ProgramPath;                 // argument 0: the name the program was started under
    std::vector<std::string> SaverArguments; // the screen-saver arguments, renumbered from 1
    std::vector<std::string> OwnOptions;     // --log, --assets (absolute), --seed: what a relaunch passes on
    bool LogFile = false;                    // --log
    int Theme = 0;                           // 0 Immersion, 1 Fountain, 2 Fishes
    int Notes = 60;                          // banknotes, 0 to 100
    int Bubbles = 100;
    int Width = 800; // pixels
    int Height = 600;
    bool Sound = true;
    std::optional<uint64_t> Seed; // none: seeded from the clock
    std::string AssetsDir;        // empty: the assets built into the program
    std::string SnapshotFile;
    int Frames = 30;          // snapshot frames at 1/30 s each
    std::string GLTraceFile;  // empty: no trace of the GL calls
    bool FewerPasses = false; // surface and sand each in one pass where the driver can
    int MaxFps = 0;           // frames a second at most; 0: no cap
    int RenderScale = 100;    // percent of each side the scene is drawn at before it is scaled up
    IdleWatchAction IdleWatch = IdleWatchAction::Run;
    std::optional<int> IdleMinutes;      // --idle-watch on MINUTES: stored for every later watch
    std::optional<int> IdleAfterSeconds; // --idle-after: this watch's idle time, over the stored minutes
    bool RestOnBattery = true;           // the wallpaper draws nothing while the machine runs on battery
    // Which scene settings the command line gave; the others come from the user's stored options.
    struct {
        bool Theme = false, Notes = false, Bubbles = false, Sound = false, MaxFps = false,
             RenderScale = false;
    } Given;
};

// Reads argv[0..argc-1]; raises UsageError for anything it cannot accept.
RunOptions ParseCommandLine(int argc, const char* const* argv);

// A whole-string integer in [low, high], or a UsageError naming the option.
long long ParseInteger(std::string_view option, std::string_view text, long long low, long long high);

// The usage text, one option a line.
std::string UsageText();

} // namespace quillaby::app
