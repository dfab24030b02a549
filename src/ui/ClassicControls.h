#pragma once
// Drawing of the dialog's controls in the classic desktop look: raised and sunken bevels, etched
// group frames, push buttons, check boxes, drop-down lists and track bars with their ticks.
// Everything is drawn into an ImGui draw list at whole-pixel positions.
#include <imgui.h>

#include <string_view>

#include "ui/DialogLayout.h"

namespace quillaby::ui::classic {

constexpr ImU32 Face = IM_COL32(212, 208, 200, 255);
constexpr ImU32 Highlight = IM_COL32(255, 255, 255, 255);
constexpr ImU32 Light = IM_COL32(228, 226, 222, 255);
constexpr ImU32 Shadow = IM_COL32(128, 128, 128, 255);
constexpr ImU32 DarkShadow = IM_COL32(64, 64, 64, 255);
constexpr ImU32 Ink = IM_COL32(0, 0, 0, 255);
constexpr ImU32 GreyText = IM_COL32(128, 128, 128, 255);
constexpr ImU32 Window = IM_COL32(255, 255, 255, 255);
constexpr ImU32 Selection = IM_COL32(10, 36, 106, 255);
constexpr ImU32 Background = IM_COL32(DialogRed, DialogGreen, DialogBlue, 255);

// A one-pixel frame: top and left lines in one colour, bottom and right in the other.
void Frame(ImDrawList& list, const Rect& r, ImU32 topLeft, ImU32 bottomRight);
void Fill(ImDrawList& list, const Rect& r, ImU32 colour);
Rect Inset(const Rect& r, int by);

// Text at a top-left corner; disabled text is grey over a white emboss.
void Label(ImDrawList& list, ImFont* font, int left, int top, std::string_view text, bool enabled = true);
// A frame of two lines a pixel apart with its caption over the top line.
void GroupBox(ImDrawList& list, ImFont* font, const Rect& r, std::string_view caption, ImU32 background);
// Outer edge lowered, inner edge raised: the preview panel's bevel.
void PanelBevel(ImDrawList& list, const Rect& r);
// A raised push button, sunken while pressed; a dotted rectangle inside when it has the focus.
void Button(ImDrawList& list, ImFont* font, const Rect& r, std::string_view caption, bool pressed,
            bool focused, bool isDefault = false);
void CheckBox(ImDrawList& list, ImFont* font, const Rect& r, std::string_view caption, bool checked,
              bool enabled, bool focused);
// A closed drop-down list showing `text`, with its arrow button.
void DropDown(ImDrawList& list, ImFont* font, const Rect& r, std::string_view text, bool enabled,
              bool focused, bool open);
void FocusRect(ImDrawList& list, const Rect& r);

// A horizontal track bar from 0 to 100 with ticks below: the thumb points down at the ticks.
struct TrackGeometry {
    Rect Bounds;
    static constexpr int ThumbWidth = 11;
    static constexpr int ThumbLength = 15; // pixels from the thumb's top to its point
    int ChannelLeft() const { return Bounds.Left + 8; }
    int ChannelRight() const { return Bounds.Right() - 8; }
    // The pixel column of a position's centre.
    int XOf(int position) const;
    // The position nearest to a pixel column.
    int PositionAt(float x) const;
    Rect Thumb(int position) const;
};
void TrackBar(ImDrawList& list, const TrackGeometry& track, int position, bool focused, bool dragging);

} // namespace quillaby::ui::classic
