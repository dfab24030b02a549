// Feeds arbitrary text to the settings-file reader: every value the program asks for reads as
// missing, an integer, a string or invalid, never a crash; setting a value keeps every other line
// and reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/OptionNames.h"
#include "ui/SettingsText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    TSettingsText text(input);
    const auto& names = {TOptionName::BubbleCount, TOptionName::DollarCount, TOptionName::Theme,
                         TOptionName::ColorDepth,  TOptionName::Width,       TOptionName::Height,
                         TOptionName::Sound,       TOptionName::DesktopOnly, TOptionName::RunAsExe,
                         TOptionName::Path};
    for (const auto n : names) text.Find(OptionName(n));

    // The text written back reads the same, and a value set reads back as set.
    const std::string once = text.Text();
    if (TSettingsText(once).Text() != once) std::abort();
    const int32_t value = size > 0 ? static_cast<int32_t>(data[0]) - 128 : 0;
    text.SetInteger(OptionName(TOptionName::Theme), value);
    const auto back = TSettingsText(text.Text()).Find(OptionName(TOptionName::Theme));
    if (back.Kind != TSettingsText::TKind::Integer || back.Integer != value) std::abort();
    return 0;
}
