#include <map>

#include <gtest/gtest.h>

#include "ImageFiles.h"
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

// In-memory resources counting reads by resource name.
class CountingResources : public quillaby::ResourceSource {
  public:
    void Add(const std::string& file, testimages::Bytes b) {
        items_[quillaby::ResourceName(file)] = std::move(b);
    }
    std::optional<quillaby::ResourceData> Find(std::string_view name) const override {
        for (const auto& [key, bytes] : items_)
            if (quillaby::SameResourceName(key, name)) {
                ++reads[key];
                return quillaby::ResourceData(std::span(bytes));
            }
        return std::nullopt;
    }
    mutable std::map<std::string, int> reads;

  private:
    std::map<std::string, testimages::Bytes> items_;
};

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

class TextureLoading : public ::testing::Test {
  protected:
    TextureLoading() {
        settings.LoadFromResources = true;
        settings.Resources = res;
        // Colour: a bright 16 x 16 picture; alpha: a mid-grey one.
        res->Add("puzir.jpg",
                 testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 240, 240, 240), 100));
        res->Add("puzirA.jpg", testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 60, 60, 60), 100));
        res->Add("odd.jpg", testimages::EncodeJpeg(12, 16, 3, testimages::Solid(12, 16, 1, 1, 1)));
        res->Add("small.jpg", testimages::EncodeJpeg(8, 8, 3, testimages::Solid(8, 8, 1, 1, 1)));
        testimages::BmpSpec logo;
        logo.bitCount = 8;
        logo.width = 4;
        logo.height = 2;
        logo.palette = {0, 0x336699};
        logo.rows = {{1, 1, 1, 1}, {0, 0, 0, 0}};
        res->Add("Logo.bmp", testimages::MakeBmp(logo));
    }
    std::shared_ptr<CountingResources> res = std::make_shared<CountingResources>();
    TLoadSettings settings;
};

TEST_F(TextureLoading, LoadsJpegAndBmpByExtension) {
    const auto jpg = LoadTexture("PUZIR.JPG", settings);
    ASSERT_NE(jpg, nullptr);
    EXPECT_EQ(jpg->Width(), 16);
    EXPECT_NEAR(jpg->Row(0)[0], 240, 4);

    const auto bmp = LoadTexture("dir/logo.bmp", settings);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(Pixel(*bmp, 0, 0), (Px{0x33, 0x66, 0x99})); // first stored row is the bottom
    EXPECT_EQ(Pixel(*bmp, 1, 3), (Px{0, 0, 0}));
}

TEST_F(TextureLoading, OtherExtensionsGiveNoTextureAndReadNothing) {
    for (const char* name : {"puzir.jpeg", "puzir.png", "puzir"})
        EXPECT_EQ(LoadTexture(name, settings), nullptr);
    EXPECT_TRUE(res->reads.empty());
}

TEST_F(TextureLoading, SizesThatAreNotPowersOfTwoFailAndMissingNamesAreNamed) {
    EXPECT_THROW(LoadTexture("odd.jpg", settings), quillaby::Error);
    try {
        LoadTexture("dollar.jpg", settings);
        FAIL();
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "Resource dollar_jpg not found");
    }
}

TEST_F(TextureLoading, AlphaComesFromTheSecondPicture) {
    const auto t = LoadTextureWithAlpha("puzir.jpg", "puzirA.jpg", settings);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Format(), TGLTexture::FormatRGBA);
    EXPECT_NEAR(Pixel(*t, 5, 5)[0], 240, 4);
    EXPECT_NEAR(Pixel(*t, 5, 5)[3], 60, 4);
    EXPECT_EQ(res->reads["puzir_jpg"], 1);
    EXPECT_EQ(res->reads["puzirA_jpg"], 1);
}

TEST_F(TextureLoading, TheSameNameInAnyCaseUsesThePictureAsItsOwnAlpha) {
    const auto t = LoadTextureWithAlpha("puzir.jpg", "PUZIR.JPG", settings);
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(Pixel(*t, 5, 5)[3], 240, 4);
    EXPECT_EQ(res->reads["puzir_jpg"], 1);
}

TEST_F(TextureLoading, MismatchedAlphaSizeGivesNoTexture) {
    EXPECT_EQ(LoadTextureWithAlpha("puzir.jpg", "small.jpg", settings), nullptr);
    EXPECT_EQ(LoadTextureWithAlpha("puzir.jpg", "puzir.png", settings), nullptr);
}
