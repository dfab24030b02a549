#pragma once
// A small 5 x 7 cell font of capitals, digits and a few signs, for the banknote's lettering,
// the logo and the contact sheet's captions. Lower-case letters are drawn as capitals.
#include "Image.h"

#include <string>

namespace assetgen {

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kGlyphAdvance = 6; // cells from one glyph's left edge to the next

// Whether cell (column, row) of the glyph is inked; row 0 is the top. Unknown signs are blank.
bool glyphCell(char c, int column, int row);

// Signed distance, in cells, from (x, y) to the strokes of `text` drawn as rounded lines of
// half-width `radius` through the inked cell centres; (0, 0) is the top-left of the first glyph.
float textDistance(const std::string& text, float x, float y, float radius);

inline float textWidthCells(const std::string& text) {
    return text.empty() ? 0.0f : static_cast<float>(text.size() * kGlyphAdvance - 1);
}

// Blocky text: every cell becomes a scale x scale square of `colour`, top-left at (x, y).
void drawPixelText(Image& image, int x, int y, int scale, const std::string& text, Rgb colour);

} // namespace assetgen
