// Pictures to texture pixels: row order, byte order, palettes and the alpha merge.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "gl/GLUtils.h"

using quillaby::Bitmap;
using quillaby::BitmapFormat;

namespace {

Bitmap Bgr(int w, int h, std::vector<unsigned char> rowsFromTop) {
    Bitmap b;
    b.Allocate(BitmapFormat::Bgr24, w, h);
    b.Pixels = std::move(rowsFromTop);
    return b;
}

std::vector<unsigned char> Pixel(const TGLTexture& t, int row, int x) {
    const unsigned char* p = t.Row(row) + x * t.BytesPerPixel();
    return {p, p + t.BytesPerPixel()};
}

using Px = std::vector<unsigned char>;

} // namespace

TEST(TextureFromBitmap, TurnsTheTrueColourPictureUpsideDownAsRgb) {
    // 2 x 2, top row: red, green; bottom row: blue, white (stored blue, green, red).
    const Bitmap b = Bgr(2, 2, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
    const auto t = TextureFromBitmap(&b);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Format(), TGLTexture::FormatRGB);
    EXPECT_EQ(Pixel(*t, 1, 0), (Px{255, 0, 0})); // top-left red is texture row 1
    EXPECT_EQ(Pixel(*t, 1, 1), (Px{0, 255, 0}));
    EXPECT_EQ(Pixel(*t, 0, 0), (Px{0, 0, 255}));
    EXPECT_EQ(Pixel(*t, 0, 1), (Px{255, 255, 255}));
}

TEST(TextureFromBitmap, PaletteIndicesBecomeTheirColours) {
    Bitmap b;
    b.Allocate(BitmapFormat::Palette8, 1, 2);
    b.Pixels = {200, 3};
    b.Palette[200] = {10, 20, 30};
    b.Palette[3] = {40, 50, 60};
    const auto t = TextureFromBitmap(&b);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Pixel(*t, 1, 0), (Px{10, 20, 30}));
    EXPECT_EQ(Pixel(*t, 0, 0), (Px{40, 50, 60}));
}

TEST(TextureFromBitmap, NoTextureForMissingOrUnsupportedBitmaps) {
    EXPECT_EQ(TextureFromBitmap(nullptr), nullptr);
    Bitmap empty;
    EXPECT_EQ(TextureFromBitmap(&empty), nullptr);
    Bitmap other;
    other.Format = BitmapFormat::Other;
    other.Width = other.Height = 4;
    EXPECT_EQ(TextureFromBitmap(&other), nullptr);
}

TEST(TextureFromBitmap, PicturesAreNeverRescaled) {
    Bitmap b;
    b.Allocate(BitmapFormat::Bgr24, 3, 4);
    EXPECT_THROW(TextureFromBitmap(&b), quillaby::Error);
}

TEST(TextureFromBitmaps, AlphaIsTheTruncatedMeanOfTheAlphaPicture) {
    const Bitmap color = Bgr(2, 1, {1, 2, 3, 4, 5, 6});
    const Bitmap alpha = Bgr(2, 1, {254, 255, 255, 0, 1, 1}); // (255, 255, 254) and (1, 1, 0)
    const auto t = TextureFromBitmaps(&color, &alpha);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Format(), TGLTexture::FormatRGBA);
    EXPECT_EQ(t->Target(), static_cast<GLenum>(GL_TEXTURE_1D));
    EXPECT_EQ(Pixel(*t, 0, 0), (Px{3, 2, 1, 254}));
    EXPECT_EQ(Pixel(*t, 0, 1), (Px{6, 5, 4, 0}));
}

TEST(TextureFromBitmaps, PaletteAlphaAndUpsideDownRows) {
    const Bitmap color = Bgr(1, 2, {0, 0, 255, 255, 0, 0}); // top red, bottom blue
    Bitmap alpha;
    alpha.Allocate(BitmapFormat::Palette8, 1, 2);
    alpha.Pixels = {1, 0}; // top: white, bottom: grey 90, 120, 150
    alpha.Palette[0] = {90, 120, 150};
    alpha.Palette[1] = {255, 255, 255};
    const auto t = TextureFromBitmaps(&color, &alpha);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Pixel(*t, 1, 0), (Px{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(*t, 0, 0), (Px{0, 0, 255, 120}));
}

TEST(TextureFromBitmaps, NoTextureUnlessBothAreUsableAndTheSameSize) {
    Bitmap big;
    big.Allocate(BitmapFormat::Bgr24, 256, 256);
    Bitmap small;
    small.Allocate(BitmapFormat::Bgr24, 128, 128);
    Bitmap other;
    other.Format = BitmapFormat::Other;
    other.Width = other.Height = 256;
    EXPECT_EQ(TextureFromBitmaps(&big, &small), nullptr);
    EXPECT_EQ(TextureFromBitmaps(&big, &other), nullptr);
    EXPECT_EQ(TextureFromBitmaps(&big, nullptr), nullptr);
    EXPECT_EQ(TextureFromBitmaps(nullptr, &big), nullptr);
    EXPECT_NE(TextureFromBitmaps(&big, &big), nullptr);
}
