#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string_view>

#include "app/HackOptions.h"
#include "base/Utf8Path.h"
#include "ui/Options.h"

namespace quillaby::app {

long long ParseInteger(std::string_view option, std::string_view text, long long low, long long high) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError(std::string(option) + " needs a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + std::string(text) + "\"");
    return value;
}

namespace {

void ParseSize(std::string_view text, RunOptions& options) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        throw UsageError("--size needs WIDTHxHEIGHT, for example 800x600, not \"" + std::string(text) + "\"");
    options.Width = static_cast<int>(ParseInteger("--size width", text.substr(0, x), 1, 16384));
    options.Height = static_cast<int>(ParseInteger("--size height", text.substr(x + 1), 1, 16384));
}

} // namespace

namespace {

// The options the scene jobs alone take: refused beside the screen-saver modes.
constexpr std::string_view kSceneJobOptions[] = {"--theme", "--notes",    "--bubbles",
                                                 "--size",  "--no-sound", "--fewer-passes"};

// Single-dash names that belong to another option family and are matched whole, never read as a
// screen-saver mode letter ("-root" would otherwise be "r", the settings dialog).
constexpr std::string_view kReservedNames[] = {"-root", "-window-id"};

} // namespace

RunOptions ParseCommandLine(int argc, const char* const* argv) {
    RunOptions options;
    options.ProgramPath = argc > 0 && argv[0] != nullptr ? argv[0] : "quillaby";
    bool window = false;
    bool snapshot = false;
    bool wallpaper = false;
    bool idleWatch = false;
    bool sized = false;
    bool frames = false;
    std::string sceneOption; // the first scene-job option given, for the message
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        // Every option but the switches takes the next argument as its value.
        auto value = [&]() -> std::string_view {
            if (i + 1 >= argc) throw UsageError(std::string(arg) + " needs a value");
            return argv[++i];
        };
        for (std::string_view name : kSceneJobOptions)
            if (arg == name && sceneOption.empty()) sceneOption = name;
        if (arg == "--window") {
            window = true;
        } else if (arg == "--wallpaper") {
            wallpaper = true;
        } else if (arg == "--idle-watch") {
            idleWatch = true;
            // "on [MINUTES]" or "off" may follow.
            const std::string_view next = i + 1 < argc ? argv[i + 1] : "";
            if (next == "on" || next == "off") {
                ++i;
                options.IdleWatch = next == "on" ? IdleWatchAction::On : IdleWatchAction::Off;
                const std::string_view minutes = i + 1 < argc ? argv[i + 1] : "";
                if (next == "on" && !minutes.empty() && !minutes.starts_with("--"))
                    options.IdleMinutes = static_cast<int>(
                        ParseInteger("--idle-watch on", argv[++i], 1, TOptions::MaxIdleMinutes));
            }
        } else if (arg == "--idle-after") {
            options.IdleAfterSeconds = static_cast<int>(ParseInteger(arg, value(), 1, 7200));
        } else if (arg == "--snapshot") {
            snapshot = true;
            options.SnapshotFile = value();
            if (options.SnapshotFile.empty()) throw UsageError("--snapshot needs a file name");
        } else if (arg == "--theme") {
            options.Theme = static_cast<int>(ParseInteger(arg, value(), 0, 2));
            options.Given.Theme = true;
        } else if (arg == "--notes") {
            options.Notes = static_cast<int>(ParseInteger(arg, value(), 0, 100));
            options.Given.Notes = true;
        } else if (arg == "--bubbles") {
            options.Bubbles = static_cast<int>(ParseInteger(arg, value(), 0, 100));
            options.Given.Bubbles = true;
        } else if (arg == "--size") {
            ParseSize(value(), options);
            sized = true;
        } else if (arg == "--no-sound") {
            options.Sound = false;
            options.Given.Sound = true;
        } else if (arg == "--seed") {
            const std::string_view text = value();
            options.Seed = static_cast<uint64_t>(ParseInteger(arg, text, 0, INT64_MAX));
            options.OwnOptions.insert(options.OwnOptions.end(), {std::string(arg), std::string(text)});
        } else if (arg == "--assets") {
            options.AssetsDir = value();
            if (options.AssetsDir.empty()) throw UsageError("--assets needs a folder");
            // A relaunched twin starts in its own folder: it gets the folder as an absolute path.
            options.OwnOptions.insert(
                options.OwnOptions.end(),
                {std::string(arg), Utf8String(std::filesystem::absolute(Utf8Path(options.AssetsDir)))});
        } else if (arg == "--gl-trace") {
            options.GLTraceFile = value();
            if (options.GLTraceFile.empty()) throw UsageError("--gl-trace needs a file name");
        } else if (arg == "--fewer-passes") {
            options.FewerPasses = true;
        } else if (arg == "--max-fps" || arg == "--render-scale") {
            const std::string_view text = value();
            if (arg == "--max-fps") {
                options.MaxFps = static_cast<int>(ParseInteger(arg, text, 0, TOptions::MaxFpsLimit));
                options.Given.MaxFps = true;
            } else {
                options.RenderScale =
                    static_cast<int>(ParseInteger(arg, text, TOptions::MinRenderScale, 100));
                options.Given.RenderScale = true;
            }
            // A relaunched twin runs the saver: it gets them too.
            options.OwnOptions.insert(options.OwnOptions.end(), {std::string(arg), std::string(text)});
        } else if (arg == "--frames") {
            options.Frames = static_cast<int>(ParseInteger(arg, value(), 1, 1000000));
            frames = true;
        } else if (arg == "--log") {
            options.LogFile = true;
            options.OwnOptions.emplace_back(arg);
        } else if (arg == "--help") {
            options.Job = JobKind::Help;
            return options;
        } else if (arg.starts_with("--")) {
            throw UsageError("unknown argument \"" + std::string(arg) + "\"");
        } else if (std::find(std::begin(kReservedNames), std::end(kReservedNames), arg) !=
                   std::end(kReservedNames)) {
            throw UsageError("\"" + std::string(arg) +
                             "\" belongs to hack mode (-root or -window-id with hack options only)");
        } else {
            options.SaverArguments.emplace_back(arg);
        }
    }
    if (int{window} + int{snapshot} + int{wallpaper} + int{idleWatch} > 1)
        throw UsageError("choose one of --window, --snapshot, --wallpaper and --idle-watch");
    if (options.IdleAfterSeconds && (!idleWatch || options.IdleWatch != IdleWatchAction::Run))
        throw UsageError("--idle-after applies to --idle-watch only");
    if (idleWatch) {
        if (!options.SaverArguments.empty())
            throw UsageError("unknown argument \"" + options.SaverArguments.front() + "\"");
        const bool others = std::any_of(options.OwnOptions.begin(), options.OwnOptions.end(),
                                        [](const std::string& o) { return o != "--log"; });
        if (!sceneOption.empty() || others || frames || !options.GLTraceFile.empty())
            throw UsageError("--idle-watch takes --idle-after and --log only");
        options.Job = JobKind::IdleWatch;
        return options;
    }
    if (frames && !snapshot) throw UsageError("--frames applies to --snapshot only");
    if (snapshot && options.Given.MaxFps)
        throw UsageError("--max-fps applies to --window, --wallpaper and the screen-saver modes only");
    // The wallpaper takes each output's own size.
    constexpr const char* kSizeApplies = "--size applies to --window and --snapshot only";
    if (wallpaper && sized) throw UsageError(kSizeApplies);
    if (window || snapshot || wallpaper) {
        if (!options.SaverArguments.empty())
            throw UsageError("unknown argument \"" + options.SaverArguments.front() + "\"");
        options.Job = window ? JobKind::Window : snapshot ? JobKind::Snapshot : JobKind::Wallpaper;
    } else if (sceneOption == "--size") {
        throw UsageError(kSizeApplies);
    } else if (!sceneOption.empty()) {
        throw UsageError(sceneOption + " applies to --window, --snapshot and --wallpaper only");
    }
    return options;
}

std::string UsageText() {
    return "usage: quillaby [/s | /c[:WINDOW] | /p WINDOW | /a] [--log] [--assets DIR] [--seed N]\n"
           "                         [--max-fps N] [--render-scale PCT]\n"
           "       quillaby --window [--theme N] [--notes N] [--bubbles N] [--size WxH] [--no-sound]\n"
           "                         [--seed N] [--assets DIR] [--gl-trace FILE] [--fewer-passes]\n"
           "                         [--max-fps N] [--render-scale PCT]\n"
           "       quillaby --snapshot FILE.png [--theme N] [--size WxH] [--seed N] [--frames N]\n"
           "                         [--notes N] [--bubbles N] [--assets DIR] [--gl-trace FILE]\n"
           "                         [--fewer-passes] [--render-scale PCT]\n"
           "       quillaby --wallpaper [--theme N] [--notes N] [--bubbles N] [--seed N] [--assets DIR]\n"
           "                         [--fewer-passes] [--max-fps N] [--render-scale PCT]\n"
           "       quillaby --idle-watch [--idle-after SECONDS] [--log]\n"
           "       quillaby --idle-watch on [MINUTES] | off\n"
           "\n"
           "  /s                the screen saver, full screen; any key, button or mouse movement ends it\n"
           "  /c[:WINDOW]       the settings (also: no argument), owned by WINDOW where the system can\n"
           "  /p WINDOW         the still preview inside WINDOW: an X window id (decimal or 0x hex), on\n"
           "                    Windows a window handle in decimal\n"
           "  /a                change the password (the desktop's screen locker owns it: ends at once)\n"
           "  --log             write the log file (beside the program, or in the user's state folder)\n"
           "  --window          the scene in a resizable window; Esc or closing the window ends it\n"
           "  --snapshot FILE   render offscreen and write the last frame to a PNG file\n"
           "  --wallpaper       the scene on the desktop's background of every output, under every\n"
           "                    window, without sound, until the program is stopped (SIGTERM); input\n"
           "                    never ends it. Needs a Wayland compositor with a layer shell (sway,\n"
           "                    Hyprland, river, KDE), or X11, where it draws on the root window\n"
           "  --idle-watch      start the saver file beside the program (quillaby.scr /s) whenever the\n"
           "                    desktop has been idle IdleMinutes (settings file, default 5), until the\n"
           "                    session ends; GNOME, Wayland compositors with an idle protocol, X11\n"
           "  --idle-after SECONDS\n"
           "                    this watch's idle time instead (1 to 7200)\n"
           "  --idle-watch on [MINUTES]\n"
           "                    start the watcher with every session of yours (an autostart entry) and\n"
           "                    now; MINUTES (1 to 120) is stored as IdleMinutes\n"
           "  --idle-watch off  stop it and start it no more\n"
           "  --theme N         0 Immersion (default), 1 Fountain, 2 Fishes\n"
           "  --notes N         banknotes, 0 to 100 (default 60)\n"
           "  --bubbles N       bubbles, 0 to 100 (default 100)\n"
           "  --size WxH        window or picture size in pixels (default 800x600)\n"
           "  --no-sound        no bubbling sound\n"
           "  --seed N          seed of the random generator, for a reproducible scene\n"
           "  --frames N        snapshot frames rendered at 1/30 s steps (default 30)\n"
           "  --assets DIR      load models, textures and sound from DIR instead of the built-in ones\n"
           "  --gl-trace FILE   write every OpenGL call of the scene's frames to FILE, one a line\n"
           "  --fewer-passes    draw the same picture in fewer passes and draws (faster on software\n"
           "                    rendering)\n"
           "  --max-fps N       draw at most N frames a second, sleeping between them (default 0: no\n"
           "                    cap; for --wallpaper 30)\n"
           "  --render-scale PCT\n"
           "                    draw the scene at PCT percent of each side (25 to 100, default 100)\n"
           "                    and scale it up to the window: fewer pixels, less work\n"
           "\n"
           "Hack mode, for XScreenSaver (options with one dash or two):\n"
           "       quillaby -root | -window-id ID [-theme N|random] [-notes N] [-bubbles N] [-sound]\n"
           "                         [-delay USEC] [-fps]\n" +
           HackUsageText();
}

} // namespace quillaby::app
