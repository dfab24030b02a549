#pragma once
// Where every control of the settings dialog and the About box sits, in client pixels from the
// window's top-left corner (children of a group box already moved by the group box's origin), and
// the order the Tab key visits them in. The view draws from this table and the tests click it.
#include <array>
#include <string_view>

namespace quillaby::ui {

struct Rect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    constexpr int Right() const { return Left + Width; }
    constexpr int Bottom() const { return Top + Height; }
    constexpr float CentreX() const { return Left + Width / 2.0f; }
    constexpr float CentreY() const { return Top + Height / 2.0f; }
};

// The dialog's client area and its colour (RGB 91, 203, 223).
constexpr int DialogWidth = 511;
constexpr int DialogHeight = 363;
constexpr unsigned char DialogRed = 91, DialogGreen = 203, DialogBlue = 223;

// A drop-down list is as high as its font makes it: 21 pixels at the dialog's font.
constexpr int ComboHeight = 21;

enum class ControlId {
    ButtonOk,
    ButtonCancel,
    ButtonAbout,
    ComboBoxDepth,
    ComboBoxResolution,
    CheckBoxDesktop,
    ButtonDefault,
    CheckBoxRunAsEXE,
    TrackBarOndrelCount,
    TrackBarBublesCount,
    ComboBoxThemes,
    CheckBoxSound,
    ButtonHelp,
    ButtonPreview,
};

struct ControlPlace {
    ControlId Id;
    std::string_view Name;
    Rect Bounds;
};

// In tab order: the form's own controls by their tab index, a group box's children inside it.
constexpr std::array<ControlPlace, 14> DialogControls{{
    {ControlId::ButtonOk, "ButtonOk", {344, 328, 75, 25}},
    {ControlId::ButtonCancel, "ButtonCancel", {428, 328, 75, 25}},
    {ControlId::ButtonAbout, "ButtonAbout", {176, 328, 75, 25}},
    {ControlId::ComboBoxDepth, "ComboBoxDepth", {336 + 72, 8 + 16, 85, ComboHeight}},
    {ControlId::ComboBoxResolution, "ComboBoxResolution", {336 + 72, 8 + 44, 85, ComboHeight}},
    {ControlId::CheckBoxDesktop, "CheckBoxDesktop", {336 + 6, 8 + 76, 89, 17}},
    {ControlId::ButtonDefault, "ButtonDefault", {336 + 97, 8 + 85, 60, 20}},
    {ControlId::CheckBoxRunAsEXE, "CheckBoxRunAsEXE", {336 + 6, 8 + 90, 83, 17}},
    {ControlId::TrackBarOndrelCount, "TrackBarOndrelCount", {336 + 8, 130 + 24, 145, 21}},
    {ControlId::TrackBarBublesCount, "TrackBarBublesCount", {336 + 8, 196 + 24, 145, 21}},
    {ControlId::ComboBoxThemes, "ComboBoxThemes", {336 + 12, 260 + 16, 145, ComboHeight}},
    {ControlId::CheckBoxSound, "CheckBoxSound", {8 + 12, 260 + 20, 97, 17}},
    {ControlId::ButtonHelp, "ButtonHelp", {260, 328, 75, 25}},
    {ControlId::ButtonPreview, "ButtonPreview", {8, 328, 75, 25}},
}};

constexpr const ControlPlace& PlaceOf(ControlId id) {
    for (const ControlPlace& place : DialogControls)
        if (place.Id == id) return place;
    return DialogControls[0];
}

// The preview panel and the scene's rectangle inside its two-pixel bevel.
constexpr Rect PanelPreview{8, 12, 320, 240};
constexpr Rect PanelSceneArea{PanelPreview.Left + 2, PanelPreview.Top + 2, PanelPreview.Width - 4,
                              PanelPreview.Height - 4};

struct GroupPlace {
    std::string_view Caption;
    Rect Bounds;
};
constexpr std::array<GroupPlace, 5> DialogGroups{{
    {"Video Modes", {336, 8, 165, 113}},
    {"Dollar Count", {336, 130, 165, 56}},
    {"Bubble Count", {336, 196, 165, 56}},
    {"Themes", {336, 260, 165, 45}},
    {"Sound", {8, 260, 321, 45}},
}};

// Top-left corners of the labels.
struct LabelPlace {
    int Left, Top;
};
constexpr LabelPlace LabelColorDepth{336 + 8, 8 + 20};
constexpr LabelPlace LabelResolution{336 + 14, 8 + 48};
constexpr LabelPlace LabelDollarMin{336 + 8, 130 + 12}, LabelDollarMax{336 + 136, 130 + 12},
    LabelDollarCount{336 + 70, 130 + 12};
constexpr LabelPlace LabelBubbleMin{336 + 8, 196 + 12}, LabelBubbleMax{336 + 136, 196 + 12},
    LabelBubbleCount{336 + 70, 196 + 12};

// The About box: its client area, centred over the dialog under a caption bar of its own.
constexpr int AboutWidth = 414;
constexpr int AboutHeight = 279;
constexpr int AboutCaptionHeight = 18;
constexpr Rect AboutClient{(DialogWidth - AboutWidth) / 2,
                           (DialogHeight - AboutHeight + AboutCaptionHeight) / 2, AboutWidth, AboutHeight};
// Rectangles inside the About box's client area.
constexpr Rect AboutLogoBevel{8, 18, 154, 114};
constexpr Rect AboutProductName{168, 8, 233, 25};
constexpr Rect AboutVersion{172, 24, 233, 16};
constexpr Rect AboutNotice{168, 44, 237, 37};
constexpr Rect AboutLink{168, 76, 233, 16};
constexpr Rect AboutComments{168, 100, 233, 41};
constexpr Rect AboutSeparator{8, 148, 397, 13};
constexpr Rect AboutLegal1{16, 156, 381, 16};
constexpr Rect AboutLegal2{16, 172, 381, 69};
constexpr Rect AboutOk{319, 240, 75, 25};

} // namespace quillaby::ui
