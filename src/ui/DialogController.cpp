#include "ui/DialogController.h"

#include <algorithm>
#include <cstdio>
#include <strings.h>

namespace quillaby::ui {

namespace {

std::string DepthText(int depth) {
    char text[32];
    std::snprintf(text, sizeof text, "%d bits", depth);
    return text;
}

std::string ResolutionText(int width, int height) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", width, height);
    return text;
}

// The item whose text equals `text` without regard to case; item 0 when none does (-1 when empty).
int FindItem(const ListState& list, const std::string& text) {
    for (std::size_t i = 0; i < list.Items.size(); ++i)
        if (strcasecmp(list.Items[i].c_str(), text.c_str()) == 0) return static_cast<int>(i);
    return list.Items.empty() ? -1 : 0;
}

bool Selectable(const ListState& list, int index) {
    return index >= 0 && index < static_cast<int>(list.Items.size());
}

} // namespace

std::string ListState::Text() const {
    return ItemIndex >= 0 && ItemIndex < static_cast<int>(Items.size()) ? Items[ItemIndex] : std::string();
}

TDialogController::TDialogController(DialogHost& host) : FHost(host) {
    ComboBoxThemes.Items = {"Auto", "Immersion", "Fountain", "Fishes"};
}

void TDialogController::Start() {
    Ready = false;
    FillColorDepths();
    const std::vector<int> depths = FHost.ColorDepths();
    const auto depth = std::find(depths.begin(), depths.end(), FHost.FullScreenMode().ColorDepth);
    FillResolutions(depth == depths.end() ? 0 : static_cast<int>(depth - depths.begin()));
    ShowOptions();
}

void TDialogController::FillColorDepths() {
    ComboBoxDepth.Items.clear();
    ComboBoxDepth.ItemIndex = -1;
    for (int depth : FHost.ColorDepths()) ComboBoxDepth.Items.push_back(DepthText(depth));
}

void TDialogController::FillResolutions(int depthIndex) {
    ComboBoxResolution.Items.clear();
    ComboBoxResolution.ItemIndex = -1;
    if (depthIndex < 0 || depthIndex >= static_cast<int>(FHost.ColorDepths().size())) return;
    for (const VideoMode& mode : FHost.ModesOfDepth(depthIndex))
        ComboBoxResolution.Items.push_back(ResolutionText(mode.Width, mode.Height));
}

void TDialogController::ShowOptions() {
    Ready = false;
    const DialogOptions& o = FHost.Options();
    const VideoMode mode = FHost.FullScreenMode();
    const int depthIndex = FindItem(ComboBoxDepth, DepthText(mode.ColorDepth));
    // The resolution list always belongs to the depth shown: a different depth brings its own sizes.
    if (depthIndex != ComboBoxDepth.ItemIndex) FillResolutions(depthIndex);
    ComboBoxDepth.ItemIndex = depthIndex;
    ComboBoxResolution.ItemIndex = FindItem(ComboBoxResolution, ResolutionText(mode.Width, mode.Height));

    TrackBarBublesCountChange(o.BubbleCount);
    TrackBarOndrelCountChange(o.DollarCount);
    TrackBarBublesCount.Label = std::to_string(o.BubbleCount);
    TrackBarOndrelCount.Label = std::to_string(o.DollarCount);
    ComboBoxThemes.ItemIndex = o.AutoTheme ? 0 : o.ThemeIndex + 1;

    CheckBoxSoundClick(o.SoundEnabled);
    CheckBoxDesktopClick(o.DesktopOnly);
    ComboBoxDepth.Enabled = ComboBoxResolution.Enabled = !o.DesktopOnly;
    CheckBoxRunAsEXEClick(o.RunAsExe);
    Ready = true;
}

void TDialogController::ApplyVideoModeSelection() {
    const int depthIndex = ComboBoxDepth.ItemIndex;
    const int modeIndex = ComboBoxResolution.ItemIndex;
    if (!Selectable(ComboBoxDepth, depthIndex)) return;
    const std::vector<VideoMode> modes = FHost.ModesOfDepth(depthIndex);
    if (modeIndex < 0 || modeIndex >= static_cast<int>(modes.size())) return;
    FHost.SetFullScreenMode(modes[modeIndex]);
}

void TDialogController::TrackBarBublesCountChange(int position) {
    TrackBarBublesCount.Position = std::clamp(position, 0, 100);
    if (!Ready) return;
    TrackBarBublesCount.Label = std::to_string(TrackBarBublesCount.Position);
    FHost.Options().BubbleCount = TrackBarBublesCount.Position;
}

void TDialogController::TrackBarOndrelCountChange(int position) {
    TrackBarOndrelCount.Position = std::clamp(position, 0, 100);
    if (!Ready) return;
    TrackBarOndrelCount.Label = std::to_string(TrackBarOndrelCount.Position);
    FHost.Options().DollarCount = TrackBarOndrelCount.Position;
}

void TDialogController::ComboBoxThemesChange(int itemIndex) {
    if (!Selectable(ComboBoxThemes, itemIndex)) return;
    ComboBoxThemes.ItemIndex = itemIndex;
    if (!Ready) return;
    DialogOptions& o = FHost.Options();
    if (itemIndex == 0) {
        o.AutoTheme = true;
    } else {
        o.AutoTheme = false;
        o.ThemeIndex = itemIndex - 1;
    }
}

void TDialogController::ComboBoxDepthChange(int itemIndex) {
    if (!Selectable(ComboBoxDepth, itemIndex)) return;
    ComboBoxDepth.ItemIndex = itemIndex;
    if (!Ready) return;
    const std::string resolution = ComboBoxResolution.Text();
    FillResolutions(itemIndex);
    ComboBoxResolution.ItemIndex = FindItem(ComboBoxResolution, resolution);
    ApplyVideoModeSelection();
}

void TDialogController::ComboBoxResolutionChange(int itemIndex) {
    if (!Selectable(ComboBoxResolution, itemIndex)) return;
    ComboBoxResolution.ItemIndex = itemIndex;
    if (!Ready) return;
    ApplyVideoModeSelection();
}

void TDialogController::CheckBoxSoundClick(bool checked) {
    CheckBoxSound.Checked = checked;
    if (!Ready) return;
    FHost.Options().SoundEnabled = checked;
    try {
        FHost.ApplySound();
    } catch (...) {
        // No sound can be had: the box goes grey and empty, and stays so.
        Ready = false;
        CheckBoxSound.Enabled = false;
        CheckBoxSound.Checked = false;
        Ready = true;
    }
}

void TDialogController::CheckBoxDesktopClick(bool checked) {
    CheckBoxDesktop.Checked = checked;
    if (!Ready) return;
    DialogOptions& o = FHost.Options();
    o.DesktopOnly = checked;
    ComboBoxDepth.Enabled = ComboBoxResolution.Enabled = !checked;
    if (checked) {
        FHost.SetFullScreenMode(FHost.DesktopMode());
        ShowOptions();
    }
}

void TDialogController::CheckBoxRunAsEXEClick(bool checked) {
    CheckBoxRunAsEXE.Checked = checked;
    if (!Ready) return;
    FHost.Options().RunAsExe = checked;
}

void TDialogController::ButtonDefaultClick() {
    FHost.SetDefaultOptions();
    ShowOptions();
}

void TDialogController::ButtonExitClick(DialogResult result) {
    if (result == DialogResult::Ok) FHost.SaveOptions();
    Result = result == DialogResult::None ? DialogResult::Cancel : result;
}

} // namespace quillaby::ui
