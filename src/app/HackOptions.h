#pragma once
// The command line of hack mode: how a screen-saver daemon such as XScreenSaver runs the program,
// drawing into a window the daemon owns. Options take one dash or two.
#include <optional>
#include <string>
#include <vector>

namespace quillaby::app {

struct HackOptions {
    unsigned long Window = 0; // the X window to draw into; 0: the screen's root window
    int Theme = 0;            // 0 Immersion, 1 Fountain, 2 Fishes
    bool RandomTheme = false; // one of the three, chosen at start
    int Notes = 60;
    int Bubbles = 100;
    bool Sound = false;            // hacks are silent unless asked
    int DelayMicroseconds = 30000; // pause after each frame
    bool ShowFrameRate = false;
    int MaxFps = 0;        // frames a second at most, besides the delay; 0: no cap
    int RenderScale = 100; // percent of each side the scene is drawn at before it is scaled up

    bool operator==(const HackOptions&) const = default;
};

// None when the arguments are no hack command line (neither -root nor -window-id among them).
// Otherwise every argument must be a hack option: anything else raises UsageError. With -root the
// window is the one XSCREENSAVER_WINDOW names (xscreensaverWindow, null when unset), else the root.
std::optional<HackOptions> ParseHackCommandLine(int argc, const char* const* argv,
                                                const char* xscreensaverWindow);

// An X window id in decimal or 0x hex, as X tools print it; raises UsageError naming `what`.
unsigned long ParseWindowId(const std::string& what, const std::string& text);

// Every hack option's name, without dashes ("root", "window-id", "theme", ...).
std::vector<std::string> HackOptionNames();

// The hack options, one a line, for the usage text.
std::string HackUsageText();

} // namespace quillaby::app
