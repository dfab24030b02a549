#include "ui/DialogFonts.h"

#include <span>
#include <string_view>

#include "base/Error.h"
#include "gl/ResourceEntry.h"

namespace quillaby {
std::span<const ResourceEntry> DialogFontTable();
}

namespace quillaby::ui {

namespace {

// The sizes ImGui takes are the height from the highest ascender to the lowest descender, 1.164
// em for DejaVu Sans. The dialog's text is 11 pixels to the em and its larger text 13: at full
// size the wider DejaVu letters would overrun the labels' places, so the em is a pixel smaller.
constexpr float RegularPixels = 12.0f;
constexpr float LargePixels = 14.0f;

ImFont* AddFont(std::string_view fileName, float pixels) {
    for (const ResourceEntry& entry : DialogFontTable()) {
        if (fileName != entry.Name) continue;
        ImFontConfig config;
        config.FontDataOwnedByAtlas = false; // the bytes live in the executable
        config.OversampleH = 2;
        config.PixelSnapH = true;
        return ImGui::GetIO().Fonts->AddFontFromMemoryTTF(const_cast<unsigned char*>(entry.Data),
                                                          static_cast<int>(entry.Size), pixels, &config);
    }
    throw Error("The typeface " + std::string(fileName) + " is missing from the program");
}

} // namespace

DialogFonts LoadDialogFonts() {
    DialogFonts fonts;
    fonts.Regular = AddFont("DejaVuSans.ttf", RegularPixels);
    fonts.Large = AddFont("DejaVuSans.ttf", LargePixels);
    fonts.Bold = AddFont("DejaVuSans-Bold.ttf", LargePixels);
    ImGui::GetIO().Fonts->Build();
    return fonts;
}

} // namespace quillaby::ui
