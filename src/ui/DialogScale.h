#pragma once
// The whole factor the dialogs are drawn larger by on a high-density monitor: every pixel of their
// design becomes scale x scale pixels, and their text is set at that many times its size.
#include <optional>
#include <string_view>

#include "platform/DisplayDensity.h"

namespace quillaby::ui {

// The environment variables that set the factor for a session, the first one set winning.
constexpr const char* OwnScaleVariable = "QUILLABY_SCALE";
constexpr const char* DesktopScaleVariable = "GDK_SCALE";
constexpr int MaxDialogScale = 8;

// A factor written as a whole number from 1 to MaxDialogScale; empty otherwise.
std::optional<int> ParseScale(std::string_view text);
// 96 dpi is 1; the factor is the nearest whole multiple of it, at least 1.
int ScaleOfDpi(double dpi);

struct ScaleChoice {
    int Scale = 1;
    // The override that was given but could not be read (and was passed over), if any.
    std::string_view IgnoredVariable;
};

// The overrides (each null when unset), then the desktop's dpi, then the monitor's, else 1; never
// so large that a dialog of designWidth x designHeight pixels overflows the monitor.
ScaleChoice ChooseDialogScale(const char* ownOverride, const char* desktopOverride,
                              const platform::DisplayDensity& density, int designWidth, int designHeight);

} // namespace quillaby::ui
