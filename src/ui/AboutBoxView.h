#pragma once
// The About box: a modal box over the settings dialog with the logo, the product's name and
// version, the maker's notice, a link to the help page, the OpenGL implementation found, and the
// legal notice. The dialog's preview keeps running behind it.
#include <imgui.h>

#include <string>

#include "ui/DialogFonts.h"

namespace quillaby::ui {

struct AboutContent {
    std::string VersionText;    // "1.9"
    std::string OpenGLInfoText; // three lines, CR LF between them; empty before any OpenGL set-up
    ImTextureID Logo = nullptr; // the 150 x 110 logo picture, or none
    int LogoWidth = 150;
    int LogoHeight = 110;
};

enum class AboutRequest { None, Close, OpenLink };

class TAboutBoxView {
  public:
    explicit TAboutBoxView(const DialogFonts& fonts) : FFonts(fonts) {}

    // Opens the box with this content on the next Draw.
    void ShowAbout(AboutContent content);
    bool Visible() const { return FVisible; }
    // Draws the box when it is shown; call inside the dialog's ImGui window.
    AboutRequest Draw();

    static constexpr const char* Caption = "About Quillaby Screen Saver";
    static constexpr const char* ProductName = "Quillaby Screen Saver";
    static constexpr const char* LinkText = "Quillaby help page";
    static constexpr const char* MakerNotice =
        "Made by Harnwick Software: banknotes and bubbles under water.";
    static constexpr const char* LegalLine1 = "Copyright (C) 2026 Harnwick Software.";
    static constexpr const char* LegalLine2 =
        "This program comes with no warranty. Its text is set in DejaVu Sans, a free typeface "
        "(Bitstream Vera licence with public-domain changes).";

  private:
    const DialogFonts& FFonts;
    AboutContent FContent;
    bool FVisible = false;
    bool FOpenRequested = false;
};

} // namespace quillaby::ui
