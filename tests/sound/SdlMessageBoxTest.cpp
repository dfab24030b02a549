#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/NonInteractive.h"
#include "platform/sdl/SdlMessageBox.h"
#include "support/ScopedEnv.h"

namespace quillaby::platform {
namespace {

using test::ScopedEnv;

std::string Written(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
}

class MessageToStream : public ::testing::Test {
  protected:
    void TearDown() override { std::fclose(FFile); }
    std::FILE* FFile = std::tmpfile();
};

TEST_F(MessageToStream, NonInteractiveWritesCaptionAndTextInsteadOfShowing) {
    auto box = CreateSdlMessageBox(false, FFile);
    box->Show("Sound error: no wave!", "Ondrel Screen Saver Error!", MessageIcon::Error);
    EXPECT_EQ(Written(FFile), "Ondrel Screen Saver Error!\nSound error: no wave!\n");
}

TEST_F(MessageToStream, TheEnvironmentSwitchWinsEvenWithADisplay) {
    ScopedEnv display("DISPLAY", ":77"); // would be tried, and could block, were the switch ignored
    ScopedEnv off("QUILLABY_NONINTERACTIVE", "1");
    EXPECT_TRUE(NonInteractiveByEnvironment());
    auto box = CreateSdlMessageBox(true, FFile);
    box->Show("text", "caption", MessageIcon::Warning);
    EXPECT_EQ(Written(FFile), "caption\ntext\n");
}

TEST_F(MessageToStream, WithoutADisplayTheMessageIsNotLost) {
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv on("QUILLABY_NONINTERACTIVE", "0");
    EXPECT_FALSE(NonInteractiveByEnvironment());
    auto box = CreateSdlMessageBox(true, FFile);
    box->Show("line one\r\nline two", "caption", MessageIcon::Information);
    EXPECT_EQ(Written(FFile), "caption\nline one\r\nline two\n");
}

} // namespace
} // namespace quillaby::platform
