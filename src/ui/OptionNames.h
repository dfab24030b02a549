#pragma once
// The names of the stored option values. The executable holds them scrambled (every character as
// its bitwise complement), so they do not show up as plain text in the program file; each is
// restored just before the call that uses it.
#include <string>

enum class TOptionName {
    BubbleCount,
    DollarCount,
    Theme,
    ColorDepth,
    Width,
    Height,
    Sound,
    DesktopOnly,
    RunAsExe,
    Path,          // the machine's installation folder
    FewerPasses,   // not in the dialog: surface and sand each in one pass
    OtherMonitors, // not in the dialog: the scene (1) or black (0) beside the primary monitor
    MaxFps,        // not in the dialog: frames a second at most, 0 for no cap
    RenderScale,   // not in the dialog: percent of each side the scene is drawn at, 25 to 100
    IdleMinutes,   // not in the dialog: the idle watcher starts the saver after this many idle minutes
    // not in the dialog: the wallpaper on battery rests (0) or draws at its cap (1)
    WallpaperOnBattery,
};

std::string OptionName(TOptionName name);
