#include "ui/DialogFonts.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "assets/ResourceEntry.h"
#include "base/Error.h"

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

// Metrics of glyphs rasterised `scale` times larger brought back to design pixels; the texture
// coordinates stay, so each design pixel of a glyph gets scale x scale texels.
void ToDesignPixels(ImFont& font, int scale) {
    const float f = 1.0f / static_cast<float>(scale);
    font.FontSize *= f;
    font.Ascent *= f;
    font.Descent *= f;
    font.FallbackAdvanceX *= f;
    for (float& advance : font.IndexAdvanceX) advance *= f;
    for (ImFontGlyph& glyph : font.Glyphs) {
        glyph.AdvanceX *= f;
        glyph.X0 *= f;
        glyph.Y0 *= f;
        glyph.X1 *= f;
        glyph.Y1 *= f;
    }
}

} // namespace

DialogFonts LoadDialogFonts(int scale) {
    scale = std::max(1, scale);
    DialogFonts fonts;
    fonts.Regular = AddFont("DejaVuSans.ttf", RegularPixels * scale);
    fonts.Large = AddFont("DejaVuSans.ttf", LargePixels * scale);
    fonts.Bold = AddFont("DejaVuSans-Bold.ttf", LargePixels * scale);
    ImGui::GetIO().Fonts->Build();
    if (scale > 1)
        for (ImFont* font : {fonts.Regular, fonts.Large, fonts.Bold}) ToDesignPixels(*font, scale);
    return fonts;
}

} // namespace quillaby::ui
