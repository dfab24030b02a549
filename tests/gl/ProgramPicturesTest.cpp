// The pictures built into the program load through the same path the scene uses: every JPEG
// becomes a texture, the bubble picture takes its alpha picture, the logo decodes.
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
    // Some texels are see-through and some are not: the alpha picture is not flat.
    int low = 0, high = 0;
    for (int y = 0; y < texture->Height(); ++y)
        for (int x = 0; x < texture->Width(); ++x) {
            const unsigned char a = texture->Row(y)[4 * x + 3];
            low += a < 64;
            high += a > 192;
        }
    EXPECT_GT(low, 0);
    EXPECT_GT(high, 0);
}

TEST(ProgramPictures, TheLogoIsAPaletteBitmap) {
    if (!quillaby::ProgramResources().Find("LOGO_BMP")) GTEST_SKIP() << "no logo in this build";
    quillaby::Bitmap logo;
    LoadBitmapResource("logo.bmp", logo, ProgramSettings());
    EXPECT_EQ(logo.Format, quillaby::BitmapFormat::Palette8);
    EXPECT_EQ(logo.Width, 150);
    EXPECT_EQ(logo.Height, 110);
}

} // namespace
