// The pictures built into the program load through the same path the scene uses: every JPEG
// becomes a texture and the bubble picture takes its alpha picture.
#include <gtest/gtest.h>

#include "gl/GLUtils.h"

namespace {

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

TLoadSettings ProgramSettings() {
    TLoadSettings settings;
    settings.LoadFromResources = true; // the program's own table
    return settings;
}

TEST(ProgramPictures, EveryJpegBecomesAPowerOfTwoTexture) {
    int pictures = 0;
    for (const auto& entry : quillaby::ProgramResourceTable()) {
        if (!EndsWith(entry.Name, ".jpg")) continue;
        ++pictures;
        const auto texture = LoadTexture(entry.Name, ProgramSettings());
        ASSERT_NE(texture, nullptr) << entry.Name;
        EXPECT_EQ(texture->Width(), 256) << entry.Name;
        EXPECT_EQ(texture->Height(), 256) << entry.Name;
    }
    if (pictures == 0) GTEST_SKIP() << "the program carries no pictures in this build";
}

TEST(ProgramPictures, TheBubbleTakesItsAlphaPicture) {
    if (!quillaby::ProgramResources().Find("PUZIR_JPG")) GTEST_SKIP() << "no bubble picture in this build";
    const auto texture = LoadTextureWithAlpha("puzir.jpg", "puzirA.jpg", ProgramSettings());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Format(), TGLTexture::FormatRGBA);
}

} // namespace
