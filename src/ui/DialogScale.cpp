#include "ui/DialogScale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quillaby::ui {

std::optional<int> ParseScale(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > MaxDialogScale)
        return std::nullopt;
    return value;
}

int ScaleOfDpi(double dpi) {
    constexpr double BaseDpi = 96;
    if (!(dpi > 0)) return 1;
    return std::clamp(static_cast<int>(std::lround(dpi / BaseDpi)), 1, MaxDialogScale);
}

ScaleChoice ChooseDialogScale(const char* ownOverride, const char* desktopOverride,
                              const platform::DisplayDensity& density, int designWidth, int designHeight) {
    ScaleChoice choice;
    std::optional<int> chosen;
    const std::pair<const char*, std::string_view> overrides[] = {{ownOverride, OwnScaleVariable},
                                                                  {desktopOverride, DesktopScaleVariable}};
    for (const auto& [value, name] : overrides) {
        if (chosen || !value) continue;
        chosen = ParseScale(value);
        if (!chosen) choice.IgnoredVariable = name;
    }
    if (!chosen && density.DesktopDpi) chosen = ScaleOfDpi(*density.DesktopDpi);
    if (!chosen && density.MonitorDpi) chosen = ScaleOfDpi(*density.MonitorDpi);
    choice.Scale = chosen.value_or(1);
    if (density.Width > 0 && density.Height > 0 && designWidth > 0 && designHeight > 0)
        choice.Scale =
            std::max(1, std::min({choice.Scale, density.Width / designWidth, density.Height / designHeight}));
    return choice;
}

} // namespace quillaby::ui
