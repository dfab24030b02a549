#pragma once
// The settings dialog as the user meets it: its window with the controls, the live preview of the
// scene in its panel (drawn every idle pass under the controls), the full-screen "Preview...",
// the About box and the help page. Runs until "OK", "Cancel", Esc or the close box.
#include <memory>
#include <string>

#include "platform/DialogWindow.h"
#include "platform/DisplayPower.h"
#include "platform/MessageBox.h"
#include "platform/Services.h"
#include "ui/DialogController.h"
#include "ui/DialogFonts.h"
#include "ui/PanelScene.h"
#include "ui/SettingsDialogView.h"

namespace quillaby::ui {

struct SettingsDialogParts {
    DialogHost& Options;
    PanelScene& Scene;
    platform::MessageBox& Messages;
    // Where the help page lies, ending in '/'.
    std::string ProgramPath;
    // "1.9"
    std::string VersionText;
    // The window that started the dialog ("/c:HWND") and owns it; 0: none.
    platform::WindowHandle Owner = 0;
};

class TSettingsDialog {
  public:
    // Opens the window and fills the controls from the options (the scene is started by Run).
    // hidden: for pictures of the dialog. scale: how many times larger than designed the dialog is
    // drawn; 0 takes it from the environment and the display. The window comes from `services`.
    explicit TSettingsDialog(SettingsDialogParts parts, bool hidden = false, int scale = 0,
                             platform::Services& services = platform::SystemServices());
    ~TSettingsDialog();

    // Starts the panel preview, then runs idle passes until the dialog is closed.
    DialogResult Run();

    // The panel preview's start: the scene on the panel, "Downloading..." until its first frame.
    void StartPanelPreview();
    // One idle pass: the events, one frame of the scene into the panel, the controls over it,
    // and the window presented. `present` false leaves the back buffer to be read.
    void IdlePass(bool present = true);
    void ButtonPreviewClick();
    void ButtonHelpClick();
    void ButtonAboutClick();

    TDialogController& Controller() { return FController; }
    platform::DialogWindow& Window() { return *FWindow; }

    static constexpr const char* Caption = "Quillaby Screen Saver";
    static constexpr const char* HelpFileName = "quillaby.html";

  private:
    void* Logo();
    // After the window's scale changed (moved onto a monitor of another density).
    void FollowScale();

    SettingsDialogParts FParts;
    std::unique_ptr<platform::DialogWindow> FWindow;
    DialogFonts FFonts;
    TDialogController FController;
    TSettingsDialogView FView;
    bool FPanelRunning = false;
    bool FPanelHasFrame = false;
    void* FLogo = nullptr;
    platform::DisplayPause FPause;
};

} // namespace quillaby::ui
