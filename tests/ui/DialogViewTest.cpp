// The dialog's view driven by synthetic input, without a window: a click at the centre of each
// control's place must reach that control's handler, and the keys must walk the tab order.
#include <gtest/gtest.h>

#include <imgui.h>

#include "FakeDialogHost.h"
#include "ui/SettingsDialogView.h"

namespace {

using namespace quillaby::ui;
using quillaby::test::FakeDialogHost;

class ViewHarness {
  public:
    ViewHarness() {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(DialogWidth, DialogHeight);
        for (int key = 0; key < ImGuiKey_COUNT; ++key) io.KeyMap[key] = key;
        fonts = LoadDialogFonts();
        TSettingsDialogView::ApplyStyle(ImGui::GetStyle());
        controller.Start();
        view = std::make_unique<TSettingsDialogView>(controller, fonts);
    }
    ~ViewHarness() { ImGui::DestroyContext(); }

    DialogRequest Frame(float x, float y, bool down, int key = -1) {
        ImGuiIO& io = ImGui::GetIO();
        io.DeltaTime = 1.0f / 60;
        io.MousePos = ImVec2(x, y);
        io.MouseDown[0] = down;
        for (bool& k : io.KeysDown) k = false;
        if (key >= 0) io.KeysDown[key] = true;
        ImGui::NewFrame();
        const DialogRequest request = view->Draw(false);
        ImGui::Render();
        return request;
    }
    DialogRequest Click(float x, float y) {
        DialogRequest seen = DialogRequest::None;
        for (bool down : {false, true, false}) {
            const DialogRequest r = Frame(x, y, down);
            if (r != DialogRequest::None) seen = r;
        }
        return seen;
    }
    DialogRequest Key(int key) {
        const DialogRequest r = Frame(-1, -1, false, key);
        Frame(-1, -1, false);
        return r;
    }

    FakeDialogHost host;
    TDialogController controller{host};
    DialogFonts fonts;
    std::unique_ptr<TSettingsDialogView> view;
};

// The dialog's layout as designed, written out again here so that a misplaced control is caught:
// group boxes' children are placed relative to their box.
struct DesignedPlace {
    ControlId Id;
    int ParentLeft, ParentTop, Left, Top, Width, Height;
    Rect Bounds() const { return {ParentLeft + Left, ParentTop + Top, Width, Height}; }
};
constexpr DesignedPlace Designed[] = {
    {ControlId::ComboBoxDepth, 336, 8, 72, 16, 85, 21},
    {ControlId::ComboBoxResolution, 336, 8, 72, 44, 85, 21},
    {ControlId::CheckBoxDesktop, 336, 8, 6, 76, 89, 17},
    {ControlId::ButtonDefault, 336, 8, 97, 85, 60, 20},
    {ControlId::CheckBoxRunAsEXE, 336, 8, 6, 90, 83, 17},
    {ControlId::TrackBarOndrelCount, 336, 130, 8, 24, 145, 21},
    {ControlId::TrackBarBublesCount, 336, 196, 8, 24, 145, 21},
    {ControlId::ComboBoxThemes, 336, 260, 12, 16, 145, 21},
    {ControlId::CheckBoxSound, 8, 260, 12, 20, 97, 17},
    {ControlId::ButtonPreview, 0, 0, 8, 328, 75, 25},
    {ControlId::ButtonAbout, 0, 0, 176, 328, 75, 25},
    {ControlId::ButtonHelp, 0, 0, 260, 328, 75, 25},
    {ControlId::ButtonOk, 0, 0, 344, 328, 75, 25},
    {ControlId::ButtonCancel, 0, 0, 428, 328, 75, 25},
};

// Clicks an item of the drop-down list that the previous click opened.
DialogRequest PickItem(ViewHarness& h, const Rect& list, int item) {
    const float row = h.fonts.Regular->FontSize + 1;
    return h.Click(list.CentreX(), list.Bottom() + 1 + row * (item + 0.5f));
}

TEST(DialogView, EachControlsCentreReachesItsHandler) {
    for (const DesignedPlace& place : Designed) {
        SCOPED_TRACE(std::string(PlaceOf(place.Id).Name));
        const Rect bounds = place.Bounds();
        ViewHarness h;
        DialogRequest request = h.Click(bounds.CentreX(), bounds.CentreY());
        const DialogOptions& o = h.host.Values;
        switch (place.Id) {
        case ControlId::ButtonOk:
            EXPECT_EQ(h.controller.Result, DialogResult::Ok);
            EXPECT_EQ(h.host.Saves, 1);
            break;
        case ControlId::ButtonCancel:
            EXPECT_EQ(h.controller.Result, DialogResult::Cancel);
            EXPECT_EQ(h.host.Saves, 0);
            break;
        case ControlId::ButtonAbout:
            EXPECT_EQ(request, DialogRequest::About);
            break;
        case ControlId::ButtonHelp:
            EXPECT_EQ(request, DialogRequest::Help);
            break;
        case ControlId::ButtonPreview:
            EXPECT_EQ(request, DialogRequest::Preview);
            break;
        case ControlId::ButtonDefault:
            EXPECT_EQ(h.host.Defaults, 1);
            break;
        case ControlId::CheckBoxDesktop:
            EXPECT_TRUE(o.DesktopOnly);
            break;
        case ControlId::CheckBoxRunAsEXE:
            EXPECT_TRUE(o.RunAsExe);
            break;
        case ControlId::CheckBoxSound:
            EXPECT_FALSE(o.SoundEnabled);
            EXPECT_EQ(h.host.SoundApplied, 1);
            break;
        case ControlId::TrackBarOndrelCount: // left of the thumb at 60: one page down
            EXPECT_EQ(o.DollarCount, 55);
            EXPECT_EQ(o.BubbleCount, 100);
            break;
        case ControlId::TrackBarBublesCount:
            EXPECT_EQ(o.BubbleCount, 95);
            EXPECT_EQ(o.DollarCount, 60);
            break;
        case ControlId::ComboBoxDepth:
            request = PickItem(h, bounds, 0);
            EXPECT_EQ(h.host.FullScreen.ColorDepth, 16);
            break;
        case ControlId::ComboBoxResolution:
            request = PickItem(h, bounds, 0);
            EXPECT_EQ(h.host.FullScreen, (VideoMode{32, 640, 480}));
            break;
        case ControlId::ComboBoxThemes:
            request = PickItem(h, bounds, 3);
            EXPECT_EQ(o.ThemeIndex, 2);
            EXPECT_EQ(h.controller.ComboBoxThemes.Text(), "Fishes");
            break;
        }
        EXPECT_EQ(h.view->Focus(), place.Id);
    }
}

TEST(DialogView, DraggingTheThumbToTheLeftEndGivesZero) {
    ViewHarness h;
    const Rect& track = PlaceOf(ControlId::TrackBarOndrelCount).Bounds;
    const float thumbX = track.Left + 8 + (60 * (track.Width - 16) + 50) / 100;
    h.Frame(thumbX, track.CentreY(), false);
    h.Frame(thumbX, track.CentreY(), true);
    h.Frame(thumbX - 40, track.CentreY(), true);
    h.Frame(track.Left - 30, track.CentreY(), true);
    h.Frame(track.Left - 30, track.CentreY(), false);
    EXPECT_EQ(h.host.Values.DollarCount, 0);
    EXPECT_EQ(h.controller.TrackBarOndrelCount.Label, "0");
}

TEST(DialogView, TabWalksTheTabOrderSkippingDisabledControlsAndEscCancels) {
    ViewHarness h;
    h.controller.CheckBoxDesktopClick(true); // both lists disabled
    EXPECT_EQ(h.view->Focus(), ControlId::ButtonOk);
    std::vector<ControlId> visited;
    for (int i = 0; i < 12; ++i) {
        h.Key(ImGuiKey_Tab);
        visited.push_back(h.view->Focus());
    }
    const std::vector<ControlId> expected{
        ControlId::ButtonCancel,        ControlId::ButtonAbout,      ControlId::CheckBoxDesktop,
        ControlId::ButtonDefault,       ControlId::CheckBoxRunAsEXE, ControlId::TrackBarOndrelCount,
        ControlId::TrackBarBublesCount, ControlId::ComboBoxThemes,   ControlId::CheckBoxSound,
        ControlId::ButtonHelp,          ControlId::ButtonPreview,    ControlId::ButtonOk};
    EXPECT_EQ(visited, expected);
    h.Key(ImGuiKey_Escape);
    EXPECT_EQ(h.controller.Result, DialogResult::Cancel);
    EXPECT_EQ(h.host.Saves, 0);
}

} // namespace
