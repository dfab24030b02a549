#pragma once
// The user's choices with their defaults, and how they are read from and written to the options key.
// The full-screen colour depth and size live in the display control's FullScreenMode.
#include <algorithm>
#include <cstdint>
#include <string>

#include "display/DisplayControl.h"
#include "scene/SceneOptions.h"
#include "ui/Registry.h"

class TOptions {
  public:
    int32_t BubbleCount = 100; // 0 to 100
    int32_t DollarCount = 60;  // 0 to 100
    int32_t ThemeIndex = 0;    // 0 Immersion, 1 Fountain, 2 Fishes
    bool AutoTheme = false;    // the theme rotates on each full-screen start
    bool SoundEnabled = true;
    bool DesktopOnly = false; // the display mode is never switched
    bool RunAsExe = false;    // a saver-file start relaunches the executable twin
    std::string ProgramPath;  // ends in "/"; prefix of the help file and of the executable twin
    // Surface and sand each drawn in one pass (faster on software rendering). Set in the settings
    // file only; "Default" leaves it alone and Save keeps it.
    bool FewerPasses = false;
    // What full-screen runs show on the monitors other than the primary: the scene (true), or
    // black, which costs nothing. Set in the settings file only, like FewerPasses.
    bool OtherMonitors = true;
    // Power savers for full-screen runs, set in the settings file only, like FewerPasses: at most
    // MaxFps frames a second (0: as many as the machine draws), and the scene drawn at RenderScale
    // percent of each side, then scaled up to the window.
    int32_t MaxFps = 0;        // 0 to MaxFpsLimit
    int32_t RenderScale = 100; // MinRenderScale to 100
    // Idle minutes before the idle watcher starts the saver; set in the settings file or by turning
    // the watcher on, like FewerPasses.
    int32_t IdleMinutes = DefaultIdleMinutes; // 1 to MaxIdleMinutes
    // The wallpaper on battery: it rests (false: no frames, the last one stays) or keeps drawing at
    // its cap (true). Set in the settings file only, like FewerPasses.
    bool WallpaperOnBattery = false;

    static constexpr int32_t MaxFpsLimit = 1000;
    static constexpr int32_t MinRenderScale = 25;
    static constexpr int32_t DefaultIdleMinutes = 5;
    static constexpr int32_t MaxIdleMinutes = 120;
    // A stored wait out of range is taken as the nearest end of it.
    static int32_t IdleMinutesInRange(int32_t minutes) {
        return std::clamp(minutes, int32_t{1}, MaxIdleMinutes);
    }

    // Every option but RunAsExe and ProgramPath to its default; the full-screen mode to the
    // desktop's, at most 800 x 600 when the desktop is larger both ways.
    void SetDefaultOptions(TCustomDisplayControl& display);
    // Reads the stored options over the defaults; a missing value keeps its default. key: the user's,
    // read only.
    void Load(const TRegistry& key, TCustomDisplayControl& display);
    // Writes every option (key: the user's, read-write) and flushes the key.
    void Save(TRegistry& key, const TCustomDisplayControl& display) const;

    // At each full-screen start: the automatic theme advances (Fishes wraps to Immersion).
    void NextAutoTheme();
    // At the end of a saver run (the caller checks the mode): with the automatic theme on, its
    // current index is stored, and nothing else.
    void SaveAutoTheme(TRegistry& key) const;

    // At program start: "Path" of the machine's key if there is one, else programDir.
    void ReadProgramPath(const TRegistry& machineKey, const std::string& programDir);
    // At program start, from the user's key (false when missing).
    void ReadRunAsExe(const TRegistry& key);

    // The values the scene reads every frame.
    TSceneOptions SceneOptions() const;

  private:
    int32_t StoredTheme() const { return AutoTheme ? ~ThemeIndex : ThemeIndex; }
};
