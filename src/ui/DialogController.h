#pragma once
// The settings dialog's state and handlers without any window: what each control shows, and what
// each change does to the options. The view draws this state and reports the user's changes here.
#include <string>
#include <vector>

#include "ui/DialogHost.h"

namespace quillaby::ui {

struct ListState {
    std::vector<std::string> Items;
    int ItemIndex = -1;
    bool Enabled = true;
    // The selected item's text, empty when none is selected.
    std::string Text() const;
};

struct CheckState {
    bool Checked = false;
    bool Enabled = true;
};

struct TrackState {
    int Position = 0; // 0 to 100
    std::string Label;
};

enum class DialogResult { None, Ok, Cancel };

class TDialogController {
  public:
    explicit TDialogController(DialogHost& host);

    // The start of the dialog: the lists filled for the full-screen depth, the options shown.
    void Start();

    void FillColorDepths();
    void FillResolutions(int depthIndex);
    void ShowOptions();
    void ApplyVideoModeSelection();

    // The user changed a control: the control takes the new state, then its handler runs (which
    // does nothing while Ready is false).
    void TrackBarBublesCountChange(int position);
    void TrackBarOndrelCountChange(int position);
    void ComboBoxThemesChange(int itemIndex);
    void ComboBoxDepthChange(int itemIndex);
    void ComboBoxResolutionChange(int itemIndex);
    void CheckBoxSoundClick(bool checked);
    void CheckBoxDesktopClick(bool checked);
    void CheckBoxRunAsEXEClick(bool checked);
    void ButtonDefaultClick();
    // "OK" saves the options; "Cancel", Esc and the close box save nothing. Either closes.
    void ButtonExitClick(DialogResult result);

    bool Ready = false;
    DialogResult Result = DialogResult::None;
    ListState ComboBoxDepth, ComboBoxResolution, ComboBoxThemes;
    CheckState CheckBoxSound, CheckBoxDesktop, CheckBoxRunAsEXE;
    TrackState TrackBarOndrelCount, TrackBarBublesCount;

  private:
    DialogHost& FHost;
};

} // namespace quillaby::ui
