#pragma once
// The settings dialog drawn with Dear ImGui: every control at its place in the classic look, the
// hints as tooltips, the mouse and the keyboard (Tab order, Space, arrows, Esc as "Cancel") turned
// into the controller's handlers. Preview, About and Help are asked of the caller.
#include <imgui.h>

#include <string>

#include "ui/AboutBoxView.h"
#include "ui/DialogController.h"
#include "ui/DialogFonts.h"
#include "ui/DialogLayout.h"

namespace quillaby::ui {

enum class DialogRequest { None, Preview, About, Help };

class TSettingsDialogView {
  public:
    TSettingsDialogView(TDialogController& controller, const DialogFonts& fonts);

    // One ImGui frame of the dialog, between ImGui::NewFrame and ImGui::Render. With panelHasFrame
    // false the panel shows "Downloading..."; otherwise its inside is left to the scene.
    DialogRequest Draw(bool panelHasFrame);

    TAboutBoxView& About() { return FAbout; }
    // The control with the keyboard focus.
    ControlId Focus() const { return DialogControls[FFocus].Id; }

    static void ApplyStyle(ImGuiStyle& style);

  private:
    void DrawStatic(ImDrawList& list, bool panelHasFrame);
    DialogRequest DrawControl(ImDrawList& list, const ControlPlace& place, int index);
    bool PushButton(ImDrawList& list, const ControlPlace& place, std::string_view caption, int index);
    bool CheckBoxControl(ImDrawList& list, const ControlPlace& place, std::string_view caption,
                         const CheckState& state, int index);
    int DropDownControl(ImDrawList& list, const ControlPlace& place, const ListState& state, int index);
    int TrackBarControl(ImDrawList& list, const ControlPlace& place, const TrackState& state, int index);
    void Hint(const char* text);
    DialogRequest HandleKeys();
    bool Enabled(ControlId id) const;
    void MoveFocus(int step);

    TDialogController& FController;
    const DialogFonts& FFonts;
    TAboutBoxView FAbout;
    int FFocus = 0;
    bool FDragging = false;
    float FGrabOffset = 0;
    std::string FOpenList; // the popup id of the open drop-down list, if any
};

} // namespace quillaby::ui
