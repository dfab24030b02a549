#include "ui/SettingsDialogView.h"

#include <imgui_internal.h>

#include <algorithm>
#include <cmath>

#include "ui/ClassicControls.h"

namespace quillaby::ui {

namespace {

constexpr float HintDelay = 0.5f; // seconds the mouse rests on a control before its hint shows

bool KeyPressed(ImGuiKey key, bool repeat = true) {
    return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key), repeat);
}

ImVec2 TopLeft(const Rect& r) {
    return ImVec2(static_cast<float>(r.Left), static_cast<float>(r.Top));
}
ImVec2 Size(const Rect& r) {
    return ImVec2(static_cast<float>(r.Width), static_cast<float>(r.Height));
}

const char* HintOf(ControlId id) {
    switch (id) {
    case ControlId::ComboBoxDepth:
        return "Set 16 bits for speedup";
    case ControlId::ComboBoxResolution:
        return "Set 640x480 for speedup";
    case ControlId::CheckBoxDesktop:
        return "Set Color Depth and Resolution from Desktop";
    case ControlId::CheckBoxRunAsEXE:
        return "Enable If Screen Saver runs without Acceleration";
    case ControlId::ComboBoxThemes:
        return "Change Underwater Background";
    default:
        return nullptr;
    }
}

} // namespace

TSettingsDialogView::TSettingsDialogView(TDialogController& controller, const DialogFonts& fonts)
    : FController(controller), FFonts(fonts), FAbout(fonts) {}

void TSettingsDialogView::ApplyStyle(ImGuiStyle& style) {
    style = ImGuiStyle();
    style.WindowRounding = style.PopupRounding = style.FrameRounding = style.GrabRounding = 0;
    style.ScrollbarRounding = style.ChildRounding = style.TabRounding = 0;
    style.WindowPadding = ImVec2(0, 0);
    style.WindowBorderSize = 0;
    style.PopupBorderSize = 1;
    style.ItemSpacing = ImVec2(0, 0);
    style.ScrollbarSize = 16;
    style.AntiAliasedLines = style.AntiAliasedFill = false; // crisp one-pixel bevels
    ImVec4* c = style.Colors;
    c[ImGuiCol_Text] = ImVec4(0, 0, 0, 1);
    c[ImGuiCol_PopupBg] = ImVec4(1, 1, 1, 1);
    c[ImGuiCol_Border] = ImVec4(0, 0, 0, 1);
    c[ImGuiCol_ScrollbarBg] = ImVec4(0.93f, 0.92f, 0.90f, 1);
    c[ImGuiCol_ScrollbarGrab] = ImVec4(0.83f, 0.82f, 0.78f, 1);
    c[ImGuiCol_ScrollbarGrabHovered] = ImVec4(0.78f, 0.77f, 0.73f, 1);
    c[ImGuiCol_ScrollbarGrabActive] = ImVec4(0.70f, 0.69f, 0.65f, 1);
    // A modal box leaves the dialog behind it as it is (ImGui dims it when it draws the frame).
    c[ImGuiCol_ModalWindowDimBg] = ImVec4(0, 0, 0, 0);
}

bool TSettingsDialogView::Enabled(ControlId id) const {
    switch (id) {
    case ControlId::ComboBoxDepth:
        return FController.ComboBoxDepth.Enabled;
    case ControlId::ComboBoxResolution:
        return FController.ComboBoxResolution.Enabled;
    case ControlId::CheckBoxSound:
        return FController.CheckBoxSound.Enabled;
    default:
        return true;
    }
}

void TSettingsDialogView::MoveFocus(int step) {
    const int count = static_cast<int>(DialogControls.size());
    for (int i = 1; i <= count; ++i) {
        const int next = ((FFocus + step * i) % count + count) % count;
        if (Enabled(DialogControls[next].Id)) {
            FFocus = next;
            return;
        }
    }
}

void TSettingsDialogView::Hint(const char* text) {
    if (!text || !ImGui::IsItemHovered() || GImGui->HoveredIdTimer < HintDelay) return;
    // Below the pointer as the desktop shows hints, moved to lie wholly inside the dialog (the only
    // place it can be drawn); above the pointer near the bottom edge.
    const ImVec2 padding(3, 1);
    const ImVec2 textSize = ImGui::CalcTextSize(text);
    const ImVec2 size(textSize.x + 2 * padding.x + 2, textSize.y + 2 * padding.y + 2);
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    constexpr float Below = 20; // pixels from the pointer's tip to the hint's top, past the arrow
    float x = std::clamp(mouse.x, 0.0f, std::max(0.0f, DialogWidth - size.x));
    float y = mouse.y + Below;
    if (y + size.y > DialogHeight) y = mouse.y - size.y - 2;
    ImGui::SetNextWindowPos(ImVec2(std::floor(x), std::floor(std::max(0.0f, y))));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, padding);
    ImGui::PushStyleColor(ImGuiCol_PopupBg, IM_COL32(255, 255, 225, 255));
    ImGui::SetTooltip("%s", text);
    ImGui::PopStyleColor();
    ImGui::PopStyleVar();
}

void TSettingsDialogView::DrawStatic(ImDrawList& list, bool panelHasFrame) {
    using namespace classic;
    // The dialog's colour everywhere but inside the panel, which the scene has drawn already.
    const Rect& s = PanelSceneArea;
    Fill(list, {0, 0, DialogWidth, s.Top}, Background);
    Fill(list, {0, s.Bottom(), DialogWidth, DialogHeight - s.Bottom()}, Background);
    Fill(list, {0, s.Top, s.Left, s.Height}, Background);
    Fill(list, {s.Right(), s.Top, DialogWidth - s.Right(), s.Height}, Background);
    PanelBevel(list, PanelPreview);
    if (!panelHasFrame) {
        Fill(list, s, IM_COL32(0, 0, 0, 255));
        const char* caption = "Downloading...";
        const ImVec2 size = FFonts.Bold->CalcTextSizeA(FFonts.Bold->FontSize, 1e9f, 0, caption);
        list.AddText(FFonts.Bold, FFonts.Bold->FontSize,
                     ImVec2(static_cast<float>(static_cast<int>(s.CentreX() - size.x / 2)),
                            static_cast<float>(static_cast<int>(s.CentreY() - size.y / 2))),
                     IM_COL32(255, 0, 0, 255), caption);
    }
    for (const GroupPlace& group : DialogGroups)
        GroupBox(list, FFonts.Regular, group.Bounds, group.Caption, Background);
    Label(list, FFonts.Regular, LabelColorDepth.Left, LabelColorDepth.Top, "Color Depth");
    Label(list, FFonts.Regular, LabelResolution.Left, LabelResolution.Top, "Resolution");
    Label(list, FFonts.Regular, LabelDollarMin.Left, LabelDollarMin.Top, "0");
    Label(list, FFonts.Regular, LabelDollarMax.Left, LabelDollarMax.Top, "100");
    Label(list, FFonts.Regular, LabelDollarCount.Left, LabelDollarCount.Top,
          FController.TrackBarOndrelCount.Label);
    Label(list, FFonts.Regular, LabelBubbleMin.Left, LabelBubbleMin.Top, "0");
    Label(list, FFonts.Regular, LabelBubbleMax.Left, LabelBubbleMax.Top, "100");
    Label(list, FFonts.Regular, LabelBubbleCount.Left, LabelBubbleCount.Top,
          FController.TrackBarBublesCount.Label);
}

bool TSettingsDialogView::PushButton(ImDrawList& list, const ControlPlace& place, std::string_view caption,
                                     int index) {
    ImGui::SetCursorScreenPos(TopLeft(place.Bounds));
    const bool clicked = ImGui::InvisibleButton(place.Name.data(), Size(place.Bounds));
    if (ImGui::IsItemActivated()) FFocus = index;
    if (ImGui::IsItemHovered()) ImGui::SetMouseCursor(ImGuiMouseCursor_Hand);
    classic::Button(list, FFonts.Regular, place.Bounds, caption,
                    ImGui::IsItemActive() && ImGui::IsItemHovered(), FFocus == index);
    return clicked;
}

bool TSettingsDialogView::CheckBoxControl(ImDrawList& list, const ControlPlace& place,
                                          std::string_view caption, const CheckState& state, int index) {
    ImGui::SetCursorScreenPos(TopLeft(place.Bounds));
    bool clicked = ImGui::InvisibleButton(place.Name.data(), Size(place.Bounds)) && state.Enabled;
    if (ImGui::IsItemActivated() && state.Enabled) FFocus = index;
    Hint(HintOf(place.Id));
    classic::CheckBox(list, FFonts.Regular, place.Bounds, caption, state.Checked, state.Enabled,
                      FFocus == index);
    return clicked;
}

int TSettingsDialogView::DropDownControl(ImDrawList& list, const ControlPlace& place, const ListState& state,
                                         int index) {
    int chosen = -1;
    const std::string popup = std::string(place.Name) + "List";
    ImGui::SetCursorScreenPos(TopLeft(place.Bounds));
    if (ImGui::InvisibleButton(place.Name.data(), Size(place.Bounds)) && state.Enabled) {
        FFocus = index;
        ImGui::OpenPopup(popup.c_str());
        FOpenList = popup;
    }
    Hint(HintOf(place.Id));
    const bool open = ImGui::IsPopupOpen(popup.c_str());
    classic::DropDown(list, FFonts.Regular, place.Bounds, state.Text(), state.Enabled, FFocus == index, open);
    if (!open) return -1;

    // The list drops below the control: up to eight items, a scroll bar for more.
    const float rowHeight = FFonts.Regular->FontSize + 1;
    const int rows = std::min<int>(8, static_cast<int>(state.Items.size()));
    ImGui::SetNextWindowPos(ImVec2(place.Bounds.Left, place.Bounds.Bottom()));
    ImGui::SetNextWindowSize(ImVec2(place.Bounds.Width, rows * rowHeight + 2));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(1, 1));
    const bool visible =
        ImGui::BeginPopup(popup.c_str(), ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings);
    ImGui::PopStyleVar();
    if (!visible) return -1;
    ImDrawList& rowsList = *ImGui::GetWindowDrawList();
    const float width = ImGui::GetContentRegionAvail().x;
    for (int i = 0; i < static_cast<int>(state.Items.size()); ++i) {
        const ImVec2 at = ImGui::GetCursorScreenPos();
        ImGui::PushID(i);
        if (ImGui::InvisibleButton("item", ImVec2(width, rowHeight))) chosen = i;
        ImGui::PopID();
        const bool lit = ImGui::IsItemHovered() || (i == state.ItemIndex && !ImGui::IsWindowHovered());
        if (lit) rowsList.AddRectFilled(at, ImVec2(at.x + width, at.y + rowHeight), classic::Selection);
        rowsList.AddText(FFonts.Regular, FFonts.Regular->FontSize, ImVec2(at.x + 2, at.y),
                         lit ? classic::Highlight : classic::Ink, state.Items[i].c_str());
    }
    // The list scrolls by whole rows, so that no row shows cut: it opens with the chosen item in
    // its middle, and the wheel or the scroll bar stop on a row.
    const int count = static_cast<int>(state.Items.size());
    const float row = ImGui::IsWindowAppearing()
                          ? static_cast<float>(std::clamp(state.ItemIndex - (rows - 1) / 2, 0, count - rows))
                          : std::round(ImGui::GetScrollY() / rowHeight);
    if (ImGui::GetScrollY() != row * rowHeight) ImGui::SetScrollY(row * rowHeight);
    if (chosen >= 0 || KeyPressed(ImGuiKey_Escape, false)) {
        ImGui::CloseCurrentPopup();
        FOpenList.clear();
    }
    ImGui::EndPopup();
    return chosen;
}

int TSettingsDialogView::TrackBarControl(ImDrawList& list, const ControlPlace& place, const TrackState& state,
                                         int index) {
    const classic::TrackGeometry track{place.Bounds};
    ImGui::SetCursorScreenPos(TopLeft(place.Bounds));
    ImGui::InvisibleButton(place.Name.data(), Size(place.Bounds));
    const float mouseX = ImGui::GetIO().MousePos.x;
    int position = state.Position;
    if (ImGui::IsItemActivated()) {
        FFocus = index;
        const Rect thumb = track.Thumb(state.Position);
        FDragging = mouseX >= thumb.Left && mouseX < thumb.Right();
        FGrabOffset = mouseX - track.XOf(state.Position);
    }
    const bool active = ImGui::IsItemActive();
    if (active && FDragging) {
        position = track.PositionAt(mouseX - FGrabOffset);
    } else if (active && ImGui::IsMouseClicked(ImGuiMouseButton_Left, true)) {
        // A click beside the thumb pages by 5 towards the pointer, again while the button is held,
        // and stops where the pointer is.
        const int target = track.PositionAt(mouseX);
        if (target > position) position = std::min(position + 5, target);
        if (target < position) position = std::max(position - 5, target);
    }
    classic::TrackBar(list, track, state.Position, FFocus == index, active && FDragging);
    return position != state.Position ? position : -1;
}

DialogRequest TSettingsDialogView::DrawControl(ImDrawList& list, const ControlPlace& place, int index) {
    TDialogController& c = FController;
    switch (place.Id) {
    case ControlId::ButtonOk:
        if (PushButton(list, place, "OK", index)) c.ButtonExitClick(DialogResult::Ok);
        break;
    case ControlId::ButtonCancel:
        if (PushButton(list, place, "Cancel", index)) c.ButtonExitClick(DialogResult::Cancel);
        break;
    case ControlId::ButtonAbout:
        if (PushButton(list, place, "About...", index)) return DialogRequest::About;
        break;
    case ControlId::ButtonHelp:
        if (PushButton(list, place, "Help...", index)) return DialogRequest::Help;
        break;
    case ControlId::ButtonPreview:
        if (PushButton(list, place, "Preview...", index)) return DialogRequest::Preview;
        break;
    case ControlId::ButtonDefault:
        if (PushButton(list, place, "Default", index)) c.ButtonDefaultClick();
        break;
    case ControlId::ComboBoxDepth:
        if (const int i = DropDownControl(list, place, c.ComboBoxDepth, index); i >= 0)
            c.ComboBoxDepthChange(i);
        break;
    case ControlId::ComboBoxResolution:
        if (const int i = DropDownControl(list, place, c.ComboBoxResolution, index); i >= 0)
            c.ComboBoxResolutionChange(i);
        break;
    case ControlId::ComboBoxThemes:
        if (const int i = DropDownControl(list, place, c.ComboBoxThemes, index); i >= 0)
            c.ComboBoxThemesChange(i);
        break;
    case ControlId::CheckBoxDesktop:
        if (CheckBoxControl(list, place, "Desktop Only", c.CheckBoxDesktop, index))
            c.CheckBoxDesktopClick(!c.CheckBoxDesktop.Checked);
        break;
    case ControlId::CheckBoxRunAsEXE:
        if (CheckBoxControl(list, place, "Run As EXE", c.CheckBoxRunAsEXE, index))
            c.CheckBoxRunAsEXEClick(!c.CheckBoxRunAsEXE.Checked);
        break;
    case ControlId::CheckBoxSound:
        if (CheckBoxControl(list, place, "Enable Sound", c.CheckBoxSound, index))
            c.CheckBoxSoundClick(!c.CheckBoxSound.Checked);
        break;
    case ControlId::TrackBarOndrelCount:
        if (const int p = TrackBarControl(list, place, c.TrackBarOndrelCount, index); p >= 0)
            c.TrackBarOndrelCountChange(p);
        break;
    case ControlId::TrackBarBublesCount:
        if (const int p = TrackBarControl(list, place, c.TrackBarBublesCount, index); p >= 0)
            c.TrackBarBublesCountChange(p);
        break;
    }
    return DialogRequest::None;
}

DialogRequest TSettingsDialogView::HandleKeys() {
    TDialogController& c = FController;
    if (KeyPressed(ImGuiKey_Escape, false)) {
        c.ButtonExitClick(DialogResult::Cancel);
        return DialogRequest::None;
    }
    if (KeyPressed(ImGuiKey_Tab)) MoveFocus(ImGui::GetIO().KeyShift ? -1 : 1);
    const ControlPlace& place = DialogControls[FFocus];
    const bool activate = KeyPressed(ImGuiKey_Space, false) || KeyPressed(ImGuiKey_Enter, false) ||
                          KeyPressed(ImGuiKey_KeyPadEnter, false);
    int step = 0;
    if (KeyPressed(ImGuiKey_RightArrow) || KeyPressed(ImGuiKey_DownArrow)) step = 1;
    if (KeyPressed(ImGuiKey_LeftArrow) || KeyPressed(ImGuiKey_UpArrow)) step = -1;
    switch (place.Id) {
    case ControlId::ButtonOk:
    case ControlId::ButtonCancel:
    case ControlId::ButtonAbout:
    case ControlId::ButtonHelp:
    case ControlId::ButtonPreview:
    case ControlId::ButtonDefault:
        if (!activate) break;
        if (place.Id == ControlId::ButtonOk) c.ButtonExitClick(DialogResult::Ok);
        if (place.Id == ControlId::ButtonCancel) c.ButtonExitClick(DialogResult::Cancel);
        if (place.Id == ControlId::ButtonDefault) c.ButtonDefaultClick();
        if (place.Id == ControlId::ButtonAbout) return DialogRequest::About;
        if (place.Id == ControlId::ButtonHelp) return DialogRequest::Help;
        if (place.Id == ControlId::ButtonPreview) return DialogRequest::Preview;
        break;
    case ControlId::CheckBoxDesktop:
        if (KeyPressed(ImGuiKey_Space, false)) c.CheckBoxDesktopClick(!c.CheckBoxDesktop.Checked);
        break;
    case ControlId::CheckBoxRunAsEXE:
        if (KeyPressed(ImGuiKey_Space, false)) c.CheckBoxRunAsEXEClick(!c.CheckBoxRunAsEXE.Checked);
        break;
    case ControlId::CheckBoxSound:
        if (KeyPressed(ImGuiKey_Space, false)) c.CheckBoxSoundClick(!c.CheckBoxSound.Checked);
        break;
    case ControlId::TrackBarOndrelCount:
    case ControlId::TrackBarBublesCount: {
        const bool dollars = place.Id == ControlId::TrackBarOndrelCount;
        const int now = (dollars ? c.TrackBarOndrelCount : c.TrackBarBublesCount).Position;
        int next = now + step;
        if (KeyPressed(ImGuiKey_PageUp)) next = now - 5;
        if (KeyPressed(ImGuiKey_PageDown)) next = now + 5;
        if (KeyPressed(ImGuiKey_Home)) next = 0;
        if (KeyPressed(ImGuiKey_End)) next = 100;
        next = std::clamp(next, 0, 100);
        if (next == now) break;
        if (dollars)
            c.TrackBarOndrelCountChange(next);
        else
            c.TrackBarBublesCountChange(next);
        break;
    }
    case ControlId::ComboBoxDepth:
    case ControlId::ComboBoxResolution:
    case ControlId::ComboBoxThemes: {
        ListState& list = place.Id == ControlId::ComboBoxDepth        ? c.ComboBoxDepth
                          : place.Id == ControlId::ComboBoxResolution ? c.ComboBoxResolution
                                                                      : c.ComboBoxThemes;
        if (ImGui::GetIO().KeyAlt && step > 0) {
            FOpenList = std::string(place.Name) + "List";
            ImGui::OpenPopup(FOpenList.c_str());
            break;
        }
        const int next = std::clamp(list.ItemIndex + step, 0, static_cast<int>(list.Items.size()) - 1);
        if (step == 0 || next == list.ItemIndex) break;
        if (place.Id == ControlId::ComboBoxDepth) c.ComboBoxDepthChange(next);
        if (place.Id == ControlId::ComboBoxResolution) c.ComboBoxResolutionChange(next);
        if (place.Id == ControlId::ComboBoxThemes) c.ComboBoxThemesChange(next);
        break;
    }
    }
    return DialogRequest::None;
}

DialogRequest TSettingsDialogView::Draw(bool panelHasFrame) {
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(DialogWidth, DialogHeight));
    ImGui::Begin("Quillaby Screen Saver", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus |
                     ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoScrollWithMouse);
    ImDrawList& list = *ImGui::GetWindowDrawList();
    DrawStatic(list, panelHasFrame);
    if (!Enabled(DialogControls[FFocus].Id)) MoveFocus(1);

    // A list open at the frame's start takes its keys: the Esc that closes it does not cancel the dialog.
    const bool listWasOpen = !FOpenList.empty();
    DialogRequest request = DialogRequest::None;
    for (int i = 0; i < static_cast<int>(DialogControls.size()); ++i) {
        const DialogRequest r = DrawControl(list, DialogControls[i], i);
        if (r != DialogRequest::None) request = r;
    }
    if (!FOpenList.empty() && !ImGui::IsPopupOpen(FOpenList.c_str())) FOpenList.clear();
    const bool modal = FAbout.Visible() || listWasOpen || !FOpenList.empty();
    if (!modal && request == DialogRequest::None) request = HandleKeys();

    if (FAbout.Draw() == AboutRequest::OpenLink) request = DialogRequest::Help;
    ImGui::End();
    return request;
}

} // namespace quillaby::ui
