#include "ui/ClassicControls.h"

#include <algorithm>
#include <cmath>

namespace quillaby::ui::classic {

namespace {

ImVec2 P(float x, float y) {
    return ImVec2(x, y);
}

void HLine(ImDrawList& list, int x0, int x1, int y, ImU32 colour) { // [x0, x1)
    list.AddRectFilled(P(x0, y), P(x1, y + 1), colour);
}

void VLine(ImDrawList& list, int x, int y0, int y1, ImU32 colour) { // [y0, y1)
    list.AddRectFilled(P(x, y0), P(x + 1, y1), colour);
}

float TextWidth(ImFont* font, std::string_view text) {
    return font->CalcTextSizeA(font->FontSize, 1e9f, 0, text.data(), text.data() + text.size()).x;
}

void DrawText(ImDrawList& list, ImFont* font, float x, float y, ImU32 colour, std::string_view text) {
    list.AddText(font, font->FontSize, P(std::round(x), std::round(y)), colour, text.data(),
                 text.data() + text.size());
}

} // namespace

void Frame(ImDrawList& list, const Rect& r, ImU32 topLeft, ImU32 bottomRight) {
    HLine(list, r.Left, r.Right() - 1, r.Top, topLeft);
    VLine(list, r.Left, r.Top, r.Bottom() - 1, topLeft);
    HLine(list, r.Left, r.Right(), r.Bottom() - 1, bottomRight);
    VLine(list, r.Right() - 1, r.Top, r.Bottom(), bottomRight);
}

void Fill(ImDrawList& list, const Rect& r, ImU32 colour) {
    list.AddRectFilled(P(r.Left, r.Top), P(r.Right(), r.Bottom()), colour);
}

Rect Inset(const Rect& r, int by) {
    return {r.Left + by, r.Top + by, r.Width - 2 * by, r.Height - 2 * by};
}

void Label(ImDrawList& list, ImFont* font, int left, int top, std::string_view text, bool enabled) {
    if (enabled) {
        DrawText(list, font, left, top, Ink, text);
        return;
    }
    DrawText(list, font, left + 1, top + 1, Highlight, text);
    DrawText(list, font, left, top, GreyText, text);
}

void GroupBox(ImDrawList& list, ImFont* font, const Rect& r, std::string_view caption, ImU32 background) {
    // The frame's top line runs through the middle of the caption's first line.
    const int top = r.Top + static_cast<int>(font->FontSize / 2);
    const Rect outer{r.Left, top, r.Width - 1, r.Height - (top - r.Top) - 1};
    const Rect inner{r.Left + 1, top + 1, r.Width - 1, r.Height - (top - r.Top) - 1};
    Frame(list, outer, Shadow, Shadow);
    Frame(list, inner, Highlight, Highlight);
    const int width = static_cast<int>(std::ceil(TextWidth(font, caption)));
    Fill(list, {r.Left + 6, r.Top, width + 4, static_cast<int>(font->FontSize) + 1}, background);
    Label(list, font, r.Left + 8, r.Top, caption);
}

void PanelBevel(ImDrawList& list, const Rect& r) {
    Frame(list, r, Shadow, Highlight);
    Frame(list, Inset(r, 1), Highlight, Shadow);
}

void FocusRect(ImDrawList& list, const Rect& r) {
    // Every other pixel, as the desktop draws keyboard focus.
    for (int x = r.Left; x < r.Right(); x += 2) {
        HLine(list, x, x + 1, r.Top, Ink);
        HLine(list, x, x + 1, r.Bottom() - 1, Ink);
    }
    for (int y = r.Top; y < r.Bottom(); y += 2) {
        VLine(list, r.Left, y, y + 1, Ink);
        VLine(list, r.Right() - 1, y, y + 1, Ink);
    }
}

void Button(ImDrawList& list, ImFont* font, const Rect& r, std::string_view caption, bool pressed,
            bool focused, bool isDefault) {
    Fill(list, r, Face);
    Rect face = r;
    if (isDefault || focused) {
        Frame(list, face, Ink, Ink);
        face = Inset(face, 1);
    }
    if (pressed) {
        Frame(list, face, Shadow, Shadow);
    } else {
        Frame(list, face, Highlight, DarkShadow);
        Frame(list, Inset(face, 1), Light, Shadow);
    }
    const float shift = pressed ? 1.0f : 0.0f;
    const float width = TextWidth(font, caption);
    const float x = r.Left + (r.Width - width) / 2 + shift;
    const float y = r.Top + (r.Height - font->FontSize) / 2 + shift;
    DrawText(list, font, x, y, Ink, caption);
    if (focused) FocusRect(list, Inset(r, 4));
}

void CheckBox(ImDrawList& list, ImFont* font, const Rect& r, std::string_view caption, bool checked,
              bool enabled, bool focused) {
    const int box = 13;
    const Rect b{r.Left, r.Top + (r.Height - box) / 2, box, box};
    Frame(list, b, Shadow, Highlight);
    Frame(list, Inset(b, 1), DarkShadow, Light);
    Fill(list, Inset(b, 2), enabled ? Window : Face);
    if (checked) {
        // The check mark: a short stroke down to the right, then a long one up, three pixels thick.
        const ImU32 mark = enabled ? Ink : GreyText;
        const int x = b.Left + 3, y = b.Top + 5;
        for (int i = 0; i < 7; ++i) {
            const int dy = i < 3 ? i : 4 - i;
            VLine(list, x + i, y + dy, y + dy + 3, mark);
        }
    }
    const int textLeft = r.Left + box + 4;
    const int textTop = r.Top + static_cast<int>((r.Height - font->FontSize) / 2);
    Label(list, font, textLeft, textTop, caption, enabled);
    if (focused) {
        const int width = static_cast<int>(std::ceil(TextWidth(font, caption)));
        FocusRect(list, {textLeft - 2, textTop - 1, width + 4, static_cast<int>(font->FontSize) + 2});
    }
}

void DropDown(ImDrawList& list, ImFont* font, const Rect& r, std::string_view text, bool enabled,
              bool focused, bool open) {
    Frame(list, r, Shadow, Highlight);
    Frame(list, Inset(r, 1), DarkShadow, Light);
    const Rect field = Inset(r, 2);
    Fill(list, field, enabled ? Window : Face);
    // The arrow button fills the field's right end.
    // 15 pixels leave the widest text, "1280x1024", clear of the arrow.
    const int arrowWidth = 15;
    const Rect arrow{field.Right() - arrowWidth, field.Top, arrowWidth, field.Height};
    Fill(list, arrow, Face);
    if (open) {
        Frame(list, arrow, Shadow, Shadow);
    } else {
        Frame(list, arrow, Light, DarkShadow);
        Frame(list, Inset(arrow, 1), Highlight, Shadow);
    }
    const int ax = arrow.Left + arrowWidth / 2 - 4 + (open ? 1 : 0);
    const int ay = arrow.Top + arrow.Height / 2 - 2 + (open ? 1 : 0);
    for (int i = 0; i < 4; ++i) HLine(list, ax + i, ax + 7 - i, ay + i, enabled ? Ink : GreyText);

    const Rect textArea{field.Left + 1, field.Top + 1, arrow.Left - field.Left - 2, field.Height - 2};
    if (focused && enabled && !open) Fill(list, textArea, Selection);
    const ImU32 colour = !enabled ? GreyText : (focused && !open ? Highlight : Ink);
    list.PushClipRect(P(textArea.Left, textArea.Top), P(textArea.Right(), textArea.Bottom()), true);
    DrawText(list, font, textArea.Left + 1, textArea.Top + (textArea.Height - font->FontSize) / 2, colour,
             text);
    list.PopClipRect();
    if (focused && enabled && !open) FocusRect(list, textArea);
}

int TrackGeometry::XOf(int position) const {
    const int span = ChannelRight() - ChannelLeft();
    return ChannelLeft() + (std::clamp(position, 0, 100) * span + 50) / 100;
}

int TrackGeometry::PositionAt(float x) const {
    const float span = static_cast<float>(ChannelRight() - ChannelLeft());
    return std::clamp(static_cast<int>(std::lround((x - ChannelLeft()) * 100 / span)), 0, 100);
}

Rect TrackGeometry::Thumb(int position) const {
    return {XOf(position) - ThumbWidth / 2, Bounds.Top + 2, ThumbWidth, ThumbLength};
}

void TrackBar(ImDrawList& list, const TrackGeometry& track, int position, bool focused, bool dragging) {
    const Rect& r = track.Bounds;
    if (focused) FocusRect(list, r);
    // The channel: a sunken groove along the thumb's square part.
    const Rect channel{track.ChannelLeft() - 2, r.Top + 8, track.ChannelRight() - track.ChannelLeft() + 4, 4};
    Frame(list, channel, Shadow, Highlight);
    Frame(list, Inset(channel, 1), DarkShadow, Light);
    // Ticks below the thumb's point, one every 5.
    for (int p = 0; p <= 100; p += 5) VLine(list, track.XOf(p), r.Top + 18, r.Top + 21, Ink);
    // The thumb: a raised square with a point downwards.
    const Rect t = track.Thumb(position);
    const int square = t.Height - t.Width / 2 - 1;
    const int mid = t.Left + t.Width / 2;
    Fill(list, {t.Left + 1, t.Top + 1, t.Width - 2, square}, dragging ? Light : Face);
    for (int i = 0; i < t.Width / 2; ++i)
        HLine(list, t.Left + 1 + i, t.Right() - 1 - i, t.Top + square + i, dragging ? Light : Face);
    HLine(list, t.Left, t.Right() - 1, t.Top, Highlight);
    VLine(list, t.Left, t.Top, t.Top + square, Highlight);
    VLine(list, t.Right() - 1, t.Top, t.Top + square, DarkShadow);
    VLine(list, t.Right() - 2, t.Top + 1, t.Top + square, Shadow);
    for (int i = 0; i <= t.Width / 2; ++i) {
        HLine(list, t.Left + i, t.Left + i + 1, t.Top + square + i, Highlight);
        HLine(list, t.Right() - 1 - i, t.Right() - i, t.Top + square + i, DarkShadow);
    }
    (void)mid;
}

} // namespace quillaby::ui::classic
