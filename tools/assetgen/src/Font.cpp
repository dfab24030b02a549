#include "Font.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace assetgen {

namespace {

struct Glyph {
    char c;
    const char* rows[kGlyphRows];
};

// clang-format off
constexpr Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
    {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
};
// clang-format on

const Glyph* findGlyph(char c) {
    for (const Glyph& g : kGlyphs)
        if (g.c == c) return &g;
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Glyph& g : kGlyphs)
        if (g.c == upper) return &g;
    return nullptr;
}

float segmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    float dx = bx - ax, dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Distance to the skeleton of one glyph: inked cell centres joined to their inked neighbours,
// diagonals only where no orthogonal path already joins the two cells.
float glyphSkeletonDistance(const Glyph& g, float x, float y) {
    auto on = [&g](int cx, int cy) {
        return cx >= 0 && cx < kGlyphColumns && cy >= 0 && cy < kGlyphRows && g.rows[cy][cx] == '#';
    };
    float best = 1e9f;
    for (int cy = 0; cy < kGlyphRows; ++cy) {
        for (int cx = 0; cx < kGlyphColumns; ++cx) {
            if (!on(cx, cy)) continue;
            float ax = cx + 0.5f, ay = cy + 0.5f;
            best = std::min(best, std::hypot(x - ax, y - ay));
            if (on(cx + 1, cy)) best = std::min(best, segmentDistance(x, y, ax, ay, ax + 1, ay));
            if (on(cx, cy + 1)) best = std::min(best, segmentDistance(x, y, ax, ay, ax, ay + 1));
            for (int side : {-1, 1}) {
                if (on(cx + side, cy + 1) && !on(cx + side, cy) && !on(cx, cy + 1))
                    best = std::min(best, segmentDistance(x, y, ax, ay, ax + side, ay + 1));
            }
        }
    }
    return best;
}

} // namespace

bool glyphCell(char c, int column, int row) {
    const Glyph* g = findGlyph(c);
    if (!g || column < 0 || column >= kGlyphColumns || row < 0 || row >= kGlyphRows) return false;
    return g->rows[row][column] == '#';
}

float textDistance(const std::string& text, float x, float y, float radius) {
    float best = 1e9f;
    int index = static_cast<int>(std::floor(x / kGlyphAdvance));
    // Strokes reach at most a cell past their glyph box, so the neighbours suffice.
    for (int i = index - 1; i <= index + 1; ++i) {
        if (i < 0 || i >= static_cast<int>(text.size())) continue;
        const Glyph* g = findGlyph(text[i]);
        if (!g) continue;
        best = std::min(best, glyphSkeletonDistance(*g, x - i * kGlyphAdvance, y));
    }
    return best - radius;
}

void drawPixelText(Image& image, int x, int y, int scale, const std::string& text, Rgb colour) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (int row = 0; row < kGlyphRows; ++row) {
            for (int column = 0; column < kGlyphColumns; ++column) {
                if (!glyphCell(text[i], column, row)) continue;
                for (int sy = 0; sy < scale; ++sy) {
                    for (int sx = 0; sx < scale; ++sx) {
                        int px = x + static_cast<int>(i) * kGlyphAdvance * scale + column * scale + sx;
                        int py = y + row * scale + sy;
                        if (px >= 0 && py >= 0 && px < image.width() && py < image.height())
                            image.at(px, py) = colour;
                    }
                }
            }
        }
    }
}

} // namespace assetgen
