#include "app/FrameRateOverlay.h"

#include <algorithm>
#include <cstdint>

#include "gl/GLCalls.h"

namespace quillaby::app {

namespace {

constexpr int GlyphWidth = 5;
constexpr int GlyphHeight = 7;

// One row a byte, top row first, the leftmost pixel in bit 4.
struct Glyph {
    char Letter;
    uint8_t Rows[GlyphHeight];
};

constexpr Glyph Glyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
};

const Glyph* Find(char letter) {
    for (const Glyph& glyph : Glyphs)
        if (glyph.Letter == letter) return &glyph;
    return nullptr; // drawn as a space
}

// One quad per lit font pixel; (x, y) is the text's lower left corner in window pixels.
void DrawText(const std::string& text, float x, float y, float scale) {
    glBegin(GL_QUADS);
    for (const char letter : text) {
        if (const Glyph* glyph = Find(letter))
            for (int row = 0; row < GlyphHeight; ++row)
                for (int column = 0; column < GlyphWidth; ++column) {
                    if (!(glyph->Rows[row] & (0x10 >> column))) continue;
                    const float left = x + column * scale;
                    const float bottom = y + (GlyphHeight - 1 - row) * scale;
                    glVertex2f(left, bottom);
                    glVertex2f(left + scale, bottom);
                    glVertex2f(left + scale, bottom + scale);
                    glVertex2f(left, bottom + scale);
                }
        x += (GlyphWidth + 1) * scale;
    }
    glEnd();
}

} // namespace

void FrameRateOverlay::Draw(int width, int height) const {
    if (width <= 0 || height <= 0) return;
    // Readable from a small preview pane to a large monitor: 2 screen pixels a font pixel at least.
    const float scale = static_cast<float>(std::max(2, height / 300));
    const float margin = 4 * scale;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // A dark shadow one font pixel down and right keeps the text readable over light water.
    glColor3f(0, 0, 0);
    DrawText(FText, margin + scale, margin - scale, scale);
    glColor3f(1, 1, 1);
    DrawText(FText, margin, margin, scale);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

} // namespace quillaby::app
