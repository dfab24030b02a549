// Text fitted into a rectangle, measured at 6 pixels a character.
#include <gtest/gtest.h>

#include "ui/TextFit.h"

namespace {

using quillaby::ui::FitText;

float Measure(std::string_view text) {
    return 6.0f * static_cast<float>(text.size());
}

const std::string Info = "Vendor:  Mesa/X.org\r\nVideo:  llvmpipe (LLVM 15.0.6, 256 bits)\r\n"
                         "OpenGL:  4.5 (Compatibility Profile) Mesa 22.3.6";

TEST(TextFit, EveryLineFitsAndBreaksOnlyAtBlanks) {
    for (float width : {60.0f, 120.0f, 233.0f, 400.0f}) {
        const auto lines = FitText(Info, width, 20, Measure);
        std::string joined;
        for (const std::string& line : lines) {
            EXPECT_LE(Measure(line), width) << line;
            EXPECT_NE(line.front(), ' ') << line;
            joined += line + "|";
        }
        // Version numbers stay whole (a break after a point would split "22.3.6").
        EXPECT_NE(joined.find("22.3.6"), std::string::npos) << joined;
        EXPECT_NE(joined.find("15.0.6,"), std::string::npos) << joined;
    }
    EXPECT_EQ(FitText(Info, 400, 3, Measure),
              (std::vector<std::string>{"Vendor:  Mesa/X.org", "Video:  llvmpipe (LLVM 15.0.6, 256 bits)",
                                        "OpenGL:  4.5 (Compatibility Profile) Mesa 22.3.6"}));
}

TEST(TextFit, TextBeyondTheLastLineEndsInAnEllipsis) {
    // 252 pixels hold 42 characters: the third paragraph needs two lines, the box has three.
    const auto lines = FitText(Info, 252, 3, Measure);
    ASSERT_EQ(lines.size(), 3u);
    // Cut back to a blank: no word or version number shows half.
    EXPECT_EQ(lines[2], "OpenGL:  4.5 (Compatibility Profile)...");
    // A paragraph that does not fit at all marks the line before it.
    EXPECT_EQ(FitText("one\r\ntwo", 100, 1, Measure), std::vector<std::string>{"one..."});
    EXPECT_TRUE(FitText(Info, 233, 0, Measure).empty());
}

TEST(TextFit, AWordWiderThanTheBoxIsCut) {
    EXPECT_EQ(FitText("abcdefghij xy", 24, 5, Measure),
              (std::vector<std::string>{"abcd", "efgh", "ij", "xy"}));
    // A narrow box still shows a character a line, and never splits one.
    EXPECT_EQ(FitText("\xC3\xA9t\xC3\xA9", 1, 5, Measure),
              (std::vector<std::string>{"\xC3\xA9", "t", "\xC3\xA9"}));
}

} // namespace
