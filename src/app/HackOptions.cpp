#include "app/HackOptions.h"

#include <functional>
#include <string_view>

#include "app/CommandLine.h"
#include "app/WindowIdText.h"
#include "ui/Options.h"

namespace quillaby::app {

namespace {

constexpr long long MaxDelay = 10'000'000; // microseconds: ten seconds a frame is slow enough

// The option's name without its one or two leading dashes; empty for anything that is no option.
std::string_view OptionName(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg;
}

struct HackOption {
    const char* Name;
    const char* Value; // the value's name in the usage; null for a switch
    std::function<void(HackOptions&, std::string_view value)> Apply;
    const char* Help;
};

const std::vector<HackOption>& Options() {
    static const std::vector<HackOption> options = {
        {"root", nullptr, [](HackOptions&, std::string_view) {},
         "draw into the window XSCREENSAVER_WINDOW names, else the root window"},
        {"window-id", "ID",
         [](HackOptions& o, std::string_view v) { o.Window = ParseWindowId("-window-id", std::string(v)); },
         "draw into the X window ID (decimal or 0x hex)"},
        {"theme", "N",
         [](HackOptions& o, std::string_view v) {
             o.RandomTheme = v == "random";
             if (!o.RandomTheme) {
                 if (v.size() != 1 || v[0] < '0' || v[0] > '2')
                     throw UsageError("-theme needs 0, 1, 2 or random, not \"" + std::string(v) + "\"");
                 o.Theme = v[0] - '0';
             }
         },
         "0 Immersion (default), 1 Fountain, 2 Fishes, or random"},
        {"notes", "N",
         [](HackOptions& o, std::string_view v) { o.Notes = int(ParseInteger("-notes", v, 0, 100)); },
         "banknotes, 0 to 100 (default 60)"},
        {"bubbles", "N",
         [](HackOptions& o, std::string_view v) { o.Bubbles = int(ParseInteger("-bubbles", v, 0, 100)); },
         "bubbles, 0 to 100 (default 100)"},
        {"sound", nullptr, [](HackOptions& o, std::string_view) { o.Sound = true; },
         "play the bubbling sound (one copy of the session plays it)"},
        {"no-sound", nullptr, [](HackOptions& o, std::string_view) { o.Sound = false; }, "silent (default)"},
        {"delay", "USEC",
         [](HackOptions& o, std::string_view v) {
             o.DelayMicroseconds = int(ParseInteger("-delay", v, 0, MaxDelay));
         },
         "microseconds to pause after each frame (default 30000)"},
        {"max-fps", "N",
         [](HackOptions& o, std::string_view v) {
             o.MaxFps = int(ParseInteger("-max-fps", v, 0, TOptions::MaxFpsLimit));
         },
         "draw at most N frames a second (default 0: no cap beyond the delay)"},
        {"render-scale", "PCT",
         [](HackOptions& o, std::string_view v) {
             o.RenderScale = int(ParseInteger("-render-scale", v, TOptions::MinRenderScale, 100));
         },
         "draw at PCT percent of each side and scale up (25 to 100, default 100)"},
        {"fps", nullptr, [](HackOptions& o, std::string_view) { o.ShowFrameRate = true; },
         "draw the frame rate in a corner of the picture"},
    };
    return options;
}

const HackOption* FindOption(std::string_view name) {
    for (const HackOption& option : Options())
        if (name == option.Name) return &option;
    return nullptr;
}

} // namespace

unsigned long ParseWindowId(const std::string& what, const std::string& text) {
    const std::optional<uint64_t> id = ReadWindowId(text);
    if (!id || *id == 0)
        throw UsageError(what + " needs an X window id in decimal or 0x hex, not \"" + text + "\"");
    return static_cast<unsigned long>(*id);
}

std::optional<HackOptions> ParseHackCommandLine(int argc, const char* const* argv,
                                                const char* xscreensaverWindow) {
    bool root = false;
    bool windowId = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = OptionName(argv[i]);
        root = root || name == "root";
        windowId = windowId || name == "window-id";
    }
    if (!root && !windowId) return std::nullopt;
    if (root && windowId) throw UsageError("choose one of -root and -window-id");

    HackOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const HackOption* option = FindOption(OptionName(arg));
        if (!option) throw UsageError("unknown argument \"" + std::string(arg) + "\" in hack mode");
        std::string_view value;
        if (option->Value) {
            if (i + 1 >= argc) throw UsageError(std::string(arg) + " needs a value");
            value = argv[++i];
        }
        option->Apply(options, value);
    }
    if (root && xscreensaverWindow && *xscreensaverWindow)
        options.Window = ParseWindowId("XSCREENSAVER_WINDOW", xscreensaverWindow);
    return options;
}

std::vector<std::string> HackOptionNames() {
    std::vector<std::string> names;
    for (const HackOption& option : Options()) names.emplace_back(option.Name);
    return names;
}

std::string HackUsageText() {
    std::string text;
    for (const HackOption& option : Options()) {
        std::string left =
            std::string("  -") + option.Name + (option.Value ? std::string(" ") + option.Value : "");
        left.resize(std::max<size_t>(left.size() + 1, 20), ' ');
        text += left + option.Help + "\n";
    }
    return text;
}

} // namespace quillaby::app
