#include "ui/AboutBoxView.h"

#include <algorithm>

#include "ui/ClassicControls.h"
#include "ui/DialogLayout.h"
#include "ui/TextFit.h"

namespace quillaby::ui {

namespace {

constexpr const char* PopupId = "AboutBox";

// The text broken into the lines that fit its rectangle; what does not fit ends in "...".
void WrappedText(ImDrawList& list, ImFont* font, const Rect& client, const Rect& r, ImU32 colour,
                 const std::string& text) {
    const float lineHeight = font->FontSize;
    const int maxLines = std::max(1, static_cast<int>(r.Height / lineHeight));
    const auto measure = [font](std::string_view s) {
        return font->CalcTextSizeA(font->FontSize, 1e9f, 0, s.data(), s.data() + s.size()).x;
    };
    float top = static_cast<float>(client.Top + r.Top);
    for (const std::string& line : FitText(text, static_cast<float>(r.Width), maxLines, measure)) {
        list.AddText(font, font->FontSize, ImVec2(client.Left + r.Left, top), colour, line.c_str());
        top += lineHeight;
    }
}

Rect Offset(const Rect& client, const Rect& r) {
    return {client.Left + r.Left, client.Top + r.Top, r.Width, r.Height};
}

} // namespace

void TAboutBoxView::ShowAbout(AboutContent content) {
    FContent = std::move(content);
    FOpenRequested = true;
}

AboutRequest TAboutBoxView::Draw() {
    if (FOpenRequested) {
        ImGui::OpenPopup(PopupId);
        FOpenRequested = false;
        FVisible = true;
    }
    if (!FVisible) return AboutRequest::None;

    const Rect& client = AboutClient;
    const Rect outer{client.Left - 3, client.Top - AboutCaptionHeight - 3, client.Width + 6,
                     client.Height + AboutCaptionHeight + 6};
    ImGui::SetNextWindowPos(ImVec2(outer.Left, outer.Top));
    ImGui::SetNextWindowSize(ImVec2(outer.Width, outer.Height));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0);
    const bool open =
        ImGui::BeginPopupModal(PopupId, nullptr,
                               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBackground);
    ImGui::PopStyleVar(2);
    if (!open) {
        FVisible = false;
        return AboutRequest::Close;
    }

    AboutRequest request = AboutRequest::None;
    ImDrawList& list = *ImGui::GetWindowDrawList();
    using namespace classic;
    // Window frame, caption bar and client area.
    Fill(list, outer, Face);
    Frame(list, outer, Light, DarkShadow);
    Frame(list, Inset(outer, 1), Highlight, Shadow);
    const Rect caption{client.Left, client.Top - AboutCaptionHeight, client.Width, AboutCaptionHeight - 1};
    list.AddRectFilledMultiColor(ImVec2(caption.Left, caption.Top), ImVec2(caption.Right(), caption.Bottom()),
                                 IM_COL32(10, 36, 106, 255), IM_COL32(166, 202, 240, 255),
                                 IM_COL32(166, 202, 240, 255), IM_COL32(10, 36, 106, 255));
    list.AddText(FFonts.Bold, FFonts.Regular->FontSize, ImVec2(caption.Left + 4, caption.Top + 2), Highlight,
                 Caption);
    Fill(list, client, Background);

    // The logo inside its frame.
    const Rect bevel = Offset(client, AboutLogoBevel);
    Frame(list, bevel, Shadow, Highlight);
    Frame(list, Inset(bevel, 1), Highlight, Shadow);
    if (FContent.Logo) {
        const ImVec2 at(bevel.Left + 2, bevel.Top + 2);
        list.AddImage(FContent.Logo, at, ImVec2(at.x + FContent.LogoWidth, at.y + FContent.LogoHeight));
    }

    WrappedText(list, FFonts.Bold, client, AboutProductName, Ink, ProductName);
    WrappedText(list, FFonts.Bold, client, AboutVersion, Ink, "Version " + FContent.VersionText);
    WrappedText(list, FFonts.Regular, client, AboutNotice, Ink, MakerNotice);

    // The link: blue, underlined, a hand over it.
    const Rect link = Offset(client, AboutLink);
    const ImVec2 linkSize = FFonts.Large->CalcTextSizeA(FFonts.Large->FontSize, 1e9f, 0, LinkText);
    const ImU32 blue = IM_COL32(0, 0, 255, 255);
    list.AddText(FFonts.Large, FFonts.Large->FontSize, ImVec2(link.Left, link.Top), blue, LinkText);
    list.AddRectFilled(ImVec2(link.Left, link.Top + linkSize.y),
                       ImVec2(link.Left + linkSize.x, link.Top + linkSize.y + 1), blue);
    ImGui::SetCursorScreenPos(ImVec2(link.Left, link.Top));
    if (ImGui::InvisibleButton("AboutLink", linkSize)) request = AboutRequest::OpenLink;
    if (ImGui::IsItemHovered()) ImGui::SetMouseCursor(ImGuiMouseCursor_Hand);

    WrappedText(list, FFonts.Regular, client, AboutComments, Ink, FContent.OpenGLInfoText);

    const Rect separator = Offset(client, AboutSeparator);
    list.AddRectFilled(ImVec2(separator.Left, separator.Top), ImVec2(separator.Right(), separator.Top + 1),
                       Shadow);
    list.AddRectFilled(ImVec2(separator.Left, separator.Top + 1),
                       ImVec2(separator.Right(), separator.Top + 2), Highlight);
    WrappedText(list, FFonts.Regular, client, AboutLegal1, Ink, LegalLine1);
    WrappedText(list, FFonts.Regular, client, AboutLegal2, Ink, LegalLine2);

    // OK is the default button and the only one: Enter, Space and Esc press it too.
    const Rect ok = Offset(client, AboutOk);
    ImGui::SetCursorScreenPos(ImVec2(ok.Left, ok.Top));
    const bool clicked = ImGui::InvisibleButton("AboutOK", ImVec2(ok.Width, ok.Height));
    if (ImGui::IsItemHovered()) ImGui::SetMouseCursor(ImGuiMouseCursor_Hand);
    Button(list, FFonts.Regular, ok, "OK", ImGui::IsItemActive() && ImGui::IsItemHovered(), true, true);
    const auto pressed = [](ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key), false); };
    if (clicked || pressed(ImGuiKey_Enter) || pressed(ImGuiKey_KeyPadEnter) || pressed(ImGuiKey_Escape) ||
        pressed(ImGuiKey_Space)) {
        ImGui::CloseCurrentPopup();
        FVisible = false;
        request = AboutRequest::Close;
    }
    ImGui::EndPopup();
    return request;
}

} // namespace quillaby::ui
