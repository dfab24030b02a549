#include "app/StoredSceneOptions.h"

#include "display/DisplayControl.h"
#include "platform/DisplayModes.h"
#include "ui/OptionNames.h"
#include "ui/Options.h"
#include "ui/Registry.h"

namespace quillaby::app {
namespace {

// The scene jobs never switch the display: their options are read against a display without modes.
class NoDisplayModes final : public platform::DisplayModes {
  public:
    bool EnumMode(int, platform::DisplayModeRecord&) override { return false; }
    bool TestMode(const platform::DisplayModeRecord&) override { return false; }
    bool SetMode(const platform::DisplayModeRecord&) override { return false; }
    void RestoreMode() override {}
    void DesktopMode(int& bitsPerPixel, int& width, int& height) override {
        bitsPerPixel = width = height = 0;
    }
};

constexpr const char* kCompany = "Harnwick Software";
constexpr const char* kTitle = "Quillaby";

} // namespace

int StoredIdleMinutes() {
    // The one value alone: a damage elsewhere in the file is the scene's business, not the watcher's.
    const auto key = TRegistry::Open(TRootKey::CurrentUser, kCompany, kTitle, true);
    const std::string name = OptionName(TOptionName::IdleMinutes);
    return key->ValueExists(name) ? TOptions::IdleMinutesInRange(key->ReadInteger(name))
                                  : TOptions::DefaultIdleMinutes;
}

void StoreIdleMinutes(int minutes) {
    const auto key = TRegistry::Open(TRootKey::CurrentUser, kCompany, kTitle, false);
    key->WriteInteger(OptionName(TOptionName::IdleMinutes), minutes);
    key->Flush();
}

void ApplyStoredSceneOptions(RunOptions& options) {
    NoDisplayModes modes;
    TDisplayControl display(modes);
    TOptions stored;
    stored.SetDefaultOptions(display);
    // A wallpaper runs all day: unless the user stored a cap of their own, it draws at most this many
    // frames a second.
    if (options.Job == JobKind::Wallpaper) stored.MaxFps = WallpaperMaxFps;
    stored.Load(*TRegistry::Open(TRootKey::CurrentUser, kCompany, kTitle, true), display);
    if (!options.Given.Theme) options.Theme = stored.ThemeIndex;
    if (!options.Given.Notes) options.Notes = stored.DollarCount;
    if (!options.Given.Bubbles) options.Bubbles = stored.BubbleCount;
    if (!options.Given.Sound) options.Sound = stored.SoundEnabled;
    options.FewerPasses = options.FewerPasses || stored.FewerPasses;
    options.RestOnBattery = !stored.WallpaperOnBattery;
    // The power savers are for what is watched; a snapshot is a reproducible picture.
    if (options.Job == JobKind::Snapshot) return;
    if (!options.Given.MaxFps) options.MaxFps = stored.MaxFps;
    if (!options.Given.RenderScale) options.RenderScale = stored.RenderScale;
}

} // namespace quillaby::app
