#include "ui/Options.h"

#include <algorithm>

#include "ui/OptionNames.h"

namespace {

int32_t ClampCount(int32_t n) {
    return std::clamp(n, 0, 100);
}

} // namespace

void TOptions::SetDefaultOptions(TCustomDisplayControl& display) {
    TScreenMode& desktop = display.DesktopMode();
    display.SetFullScreenMode(desktop);
    if (desktop.Width() > 800 && desktop.Height() > 600) display.FullScreenMode().SetSize(800, 600);
    DesktopOnly = false;
    BubbleCount = 100;
    DollarCount = 60;
    AutoTheme = false;
    ThemeIndex = 0;
    SoundEnabled = true;
}

void TOptions::Load(const TRegistry& key, TCustomDisplayControl& display) {
    auto exists = [&](TOptionName n) { return key.ValueExists(OptionName(n)); };
    auto integer = [&](TOptionName n) { return key.ReadInteger(OptionName(n)); };

    if (exists(TOptionName::BubbleCount)) BubbleCount = ClampCount(integer(TOptionName::BubbleCount));
    if (exists(TOptionName::DollarCount)) DollarCount = ClampCount(integer(TOptionName::DollarCount));
    if (exists(TOptionName::Sound)) SoundEnabled = integer(TOptionName::Sound) != 0;
    if (exists(TOptionName::FewerPasses)) FewerPasses = integer(TOptionName::FewerPasses) != 0;
    if (exists(TOptionName::OtherMonitors)) OtherMonitors = integer(TOptionName::OtherMonitors) != 0;
    if (exists(TOptionName::MaxFps)) MaxFps = std::clamp(integer(TOptionName::MaxFps), 0, MaxFpsLimit);
    if (exists(TOptionName::RenderScale))
        RenderScale = std::clamp(integer(TOptionName::RenderScale), MinRenderScale, 100);
    if (exists(TOptionName::IdleMinutes)) IdleMinutes = IdleMinutesInRange(integer(TOptionName::IdleMinutes));
    if (exists(TOptionName::WallpaperOnBattery))
        WallpaperOnBattery = integer(TOptionName::WallpaperOnBattery) != 0;
    if (exists(TOptionName::Theme)) ThemeIndex = integer(TOptionName::Theme);
    AutoTheme = false;
    if (ThemeIndex < 0) {
        AutoTheme = true;
        ThemeIndex = ~ThemeIndex;
    }
    if (ThemeIndex > 2) { // neither a theme nor a complemented one: it could never rotate
        ThemeIndex = 0;
        AutoTheme = false;
    }

    if (exists(TOptionName::DesktopOnly)) DesktopOnly = integer(TOptionName::DesktopOnly) != 0;
    if (DesktopOnly) {
        display.SetFullScreenMode(display.DesktopMode());
        return;
    }

    // The stored mode is checked against the display's before it is applied, so that a depth the
    // display cannot show becomes the desktop's (not merely the first one listed).
    TFullScreenMode& mode = display.FullScreenMode();
    int32_t depth = mode.ColorDepth(), width = mode.Width(), height = mode.Height();
    if (exists(TOptionName::ColorDepth)) depth = integer(TOptionName::ColorDepth);
    if (exists(TOptionName::Width) && exists(TOptionName::Height)) {
        width = integer(TOptionName::Width);
        height = integer(TOptionName::Height);
    }
    TScreenMode& desktop = display.DesktopMode();
    const int g = display.ColorDepthModes.IndexOf(depth);
    if (g < 0) depth = desktop.ColorDepth();
    const int d = display.ColorDepthModes.IndexOf(depth);
    if (d < 0 || display.ColorDepthModes.Items(d).Modes.IndexOf(width, height, depth) < 0) {
        width = desktop.Width();
        height = desktop.Height();
    }
    mode.SetMode(width, height, depth);
}

void TOptions::Save(TRegistry& key, const TCustomDisplayControl& display) const {
    const TFullScreenMode& mode = display.FullScreenMode();
    key.WriteInteger(OptionName(TOptionName::BubbleCount), BubbleCount);
    key.WriteInteger(OptionName(TOptionName::DollarCount), DollarCount);
    key.WriteInteger(OptionName(TOptionName::Theme), StoredTheme());
    key.WriteInteger(OptionName(TOptionName::ColorDepth), mode.ColorDepth());
    key.WriteInteger(OptionName(TOptionName::Width), mode.Width());
    key.WriteInteger(OptionName(TOptionName::Height), mode.Height());
    key.WriteBool(OptionName(TOptionName::Sound), SoundEnabled);
    key.WriteBool(OptionName(TOptionName::DesktopOnly), DesktopOnly);
    key.WriteBool(OptionName(TOptionName::RunAsExe), RunAsExe);
    // Not in the dialog: written only once someone turned it on, so other files stay as they were.
    if (FewerPasses) key.WriteBool(OptionName(TOptionName::FewerPasses), FewerPasses);
    if (!OtherMonitors) key.WriteBool(OptionName(TOptionName::OtherMonitors), OtherMonitors);
    if (MaxFps != 0) key.WriteInteger(OptionName(TOptionName::MaxFps), MaxFps);
    if (RenderScale != 100) key.WriteInteger(OptionName(TOptionName::RenderScale), RenderScale);
    if (IdleMinutes != DefaultIdleMinutes)
        key.WriteInteger(OptionName(TOptionName::IdleMinutes), IdleMinutes);
    if (WallpaperOnBattery) key.WriteBool(OptionName(TOptionName::WallpaperOnBattery), WallpaperOnBattery);
    key.Flush();
}

void TOptions::NextAutoTheme() {
    if (AutoTheme) ThemeIndex = ThemeIndex >= 2 ? 0 : ThemeIndex + 1;
}

void TOptions::SaveAutoTheme(TRegistry& key) const {
    if (!AutoTheme) return;
    key.WriteInteger(OptionName(TOptionName::Theme), StoredTheme());
    key.Flush();
}

void TOptions::ReadProgramPath(const TRegistry& machineKey, const std::string& programDir) {
    const std::string name = OptionName(TOptionName::Path);
    ProgramPath = machineKey.ValueExists(name) ? machineKey.ReadString(name) : programDir;
    // Used as a prefix. Windows' installer writes the folder ending in "\\", as the system's own
    // folders are written; only a path ending in neither separator gets one.
    if (!ProgramPath.empty() && ProgramPath.back() != '/' && ProgramPath.back() != '\\') ProgramPath += '/';
}

void TOptions::ReadRunAsExe(const TRegistry& key) {
    const std::string name = OptionName(TOptionName::RunAsExe);
    RunAsExe = key.ValueExists(name) && key.ReadBool(name);
}

TSceneOptions TOptions::SceneOptions() const {
    TSceneOptions scene;
    scene.BubbleCount = BubbleCount;
    scene.DollarCount = DollarCount;
    scene.ThemeIndex = ThemeIndex;
    scene.SoundEnabled = SoundEnabled;
    scene.FewerPasses = FewerPasses;
    return scene;
}
