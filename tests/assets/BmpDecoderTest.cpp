#include "assets/BmpDecoder.h"

#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "base/Error.h"

using quillaby::BitmapFormat;
using quillaby::DecodeBmp;
using testimages::BmpSpec;
using testimages::MakeBmp;

namespace {

// A 3 x 2 palette picture: width 3 makes every stored row carry one padding byte.
BmpSpec Palette3x2(int storedHeight) {
    BmpSpec s;
    s.width = 3;
    s.height = storedHeight;
    s.bitCount = 8;
    s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x102030};
    s.rows = {{1, 2, 3}, {4, 0, 1}};
    return s;
}

std::string DecodeError(const testimages::Bytes& file) {
    try {
        DecodeBmp(file);
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(BmpDecoder, PaletteBottomUpAndTopDownGiveTheSamePicture) {
    const auto bottomUp = DecodeBmp(MakeBmp(Palette3x2(2)));
    BmpSpec topDownSpec = Palette3x2(-2);
    std::swap(topDownSpec.rows[0], topDownSpec.rows[1]);
    const auto topDown = DecodeBmp(MakeBmp(topDownSpec));

    for (const auto* bmp : {&bottomUp, &topDown}) {
        ASSERT_EQ(bmp->Format, BitmapFormat::Palette8);
        EXPECT_EQ(bmp->Width, 3);
        EXPECT_EQ(bmp->Height, 2);
        // Top row of the picture is the last stored row of a bottom-up file.
        EXPECT_EQ((std::vector<unsigned char>(bmp->Row(0), bmp->Row(0) + 3)),
                  (std::vector<unsigned char>{4, 0, 1}));
        EXPECT_EQ((std::vector<unsigned char>(bmp->Row(1), bmp->Row(1) + 3)),
                  (std::vector<unsigned char>{1, 2, 3}));
        EXPECT_EQ(bmp->Palette[1].R, 255);
        EXPECT_EQ(bmp->Palette[1].G, 0);
        EXPECT_EQ(bmp->Palette[2].G, 255);
        EXPECT_EQ(bmp->Palette[3].B, 255);
        EXPECT_EQ(bmp->Palette[4].R, 0x10);
        EXPECT_EQ(bmp->Palette[4].G, 0x20);
        EXPECT_EQ(bmp->Palette[4].B, 0x30);
        EXPECT_EQ(bmp->Palette[5].R, 0); // entries the file does not give stay black
    }
}

TEST(BmpDecoder, TrueColourRowsKeepBlueGreenRedAndSkipPadding) {
    BmpSpec s;
    s.width = 2;
    s.height = 2; // bottom-up; each 6-byte row is padded to 8
    s.bitCount = 24;
    s.rows = {{1, 2, 3, 4, 5, 6}, {0, 0, 255, 255, 0, 0}};
    const auto bmp = DecodeBmp(MakeBmp(s));
    ASSERT_EQ(bmp.Format, BitmapFormat::Bgr24);
    EXPECT_EQ(bmp.RowSize, 6);
    ASSERT_EQ(bmp.Pixels.size(), 12u);
    EXPECT_EQ(bmp.Pixels, (std::vector<unsigned char>{0, 0, 255, 255, 0, 0, 1, 2, 3, 4, 5, 6}));
}

TEST(BmpDecoder, OldCoreHeaderWithThreeBytePalette) {
    // 12-byte header, 8-bit, 1 x 1, palette of 256 three-byte entries.
    testimages::Bytes b(14 + 12 + 3 * 256 + 4, 0);
    b[0] = 'B';
    b[1] = 'M';
    testimages::Put32(b, 10, 14 + 12 + 3 * 256);
    testimages::Put32(b, 14, 12);
    testimages::Put16(b, 18, 1);
    testimages::Put16(b, 20, 1);
    testimages::Put16(b, 22, 1);
    testimages::Put16(b, 24, 8);
    b[26 + 3 * 7] = 9; // entry 7: blue 9, green 8, red 7
    b[26 + 3 * 7 + 1] = 8;
    b[26 + 3 * 7 + 2] = 7;
    b[14 + 12 + 3 * 256] = 7;
    const auto bmp = DecodeBmp(b);
    ASSERT_EQ(bmp.Format, BitmapFormat::Palette8);
    EXPECT_EQ(bmp.Row(0)[0], 7);
    EXPECT_EQ(bmp.Palette[7].R, 7);
    EXPECT_EQ(bmp.Palette[7].G, 8);
    EXPECT_EQ(bmp.Palette[7].B, 9);
}

TEST(BmpDecoder, OtherDepthsAreKnownButNotDecoded) {
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.bitCount = 32;
    s.rows = {std::vector<unsigned char>(8, 1), std::vector<unsigned char>(8, 2)};
    const auto bmp = DecodeBmp(MakeBmp(s));
    EXPECT_EQ(bmp.Format, BitmapFormat::Other);
    EXPECT_FALSE(bmp.HasPixels());
    EXPECT_TRUE(bmp.Pixels.empty());
}

TEST(BmpDecoder, MalformedFilesRaiseClearErrors) {
    const auto good = MakeBmp(Palette3x2(2));

    EXPECT_EQ(DecodeError({}), "Invalid bitmap: the file is too short");
    auto notBmp = good;
    notBmp[0] = 'X';
    EXPECT_EQ(DecodeError(notBmp), "Invalid bitmap: not a BMP file");

    auto cut = good;
    cut.resize(cut.size() - 5); // the last row loses its pixels
    EXPECT_EQ(DecodeError(cut), "Invalid bitmap: the pixel data is truncated");
    auto headerOnly = good;
    headerOnly.resize(30);
    EXPECT_EQ(DecodeError(headerOnly), "Invalid bitmap: the header is truncated");

    auto farOffset = good;
    testimages::Put32(farOffset, 10, 0xFFFFFFF0u);
    EXPECT_EQ(DecodeError(farOffset), "Invalid bitmap: the pixel data is truncated");

    auto hugeWidth = good;
    testimages::Put32(hugeWidth, 18, 0x7FFFFFFF);
    EXPECT_EQ(DecodeError(hugeWidth), "Invalid bitmap: the pixel data is truncated");

    auto negativeWidth = good;
    testimages::Put32(negativeWidth, 18, static_cast<std::uint32_t>(-3));
    EXPECT_EQ(DecodeError(negativeWidth), "Invalid bitmap: width -3 is not positive");

    auto zeroHeight = good;
    testimages::Put32(zeroHeight, 22, 0);
    EXPECT_EQ(DecodeError(zeroHeight), "Invalid bitmap: height 0 is not valid");

    auto rle = good;
    testimages::Put32(rle, 30, 1);
    EXPECT_EQ(DecodeError(rle), "Invalid bitmap: run-length compressed pictures are not supported");

    auto bigPalette = good;
    testimages::Put32(bigPalette, 46, 300);
    EXPECT_EQ(DecodeError(bigPalette), "Invalid bitmap: palette of 300 colours is too large");

    auto paletteOverPixels = good;
    testimages::Put32(paletteOverPixels, 10, 54 + 16); // pixels said to start inside the palette
    EXPECT_EQ(DecodeError(paletteOverPixels), "Invalid bitmap: the palette is truncated");

    auto oddBits = good;
    testimages::Put16(oddBits, 28, 7);
    EXPECT_EQ(DecodeError(oddBits), "Invalid bitmap: bit count 7 is not valid");
}
