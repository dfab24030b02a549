#include "assets/JpegDecoder.h"

#include <cstdlib>
#include <new>

#include <gtest/gtest.h>
#include <jerror.h>

#include "AllocationLimit.h"
#include "ImageFiles.h"
#include "base/Error.h"

using quillaby::BitmapFormat;
using quillaby::DecodeJpeg;

namespace {

std::string DecodeError(const testimages::Bytes& stream) {
    try {
        DecodeJpeg(stream);
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "no error";
}

std::string JpegError(int code) {
    return "JPEG error #" + std::to_string(code);
}

// A 16 x 16 colour picture: left half red, right half blue. Halves of whole 8 x 8 blocks keep the
// colours clean enough to check each pixel.
testimages::Bytes RedBlue() {
    testimages::Bytes p;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (x < 8)
                p.insert(p.end(), {255, 0, 0});
            else
                p.insert(p.end(), {0, 0, 255});
        }
    return testimages::EncodeJpeg(16, 16, 3, p, 100);
}

} // namespace

TEST(JpegDecoder, ColourPictureDecodesToBlueGreenRedRowsFromTheTop) {
    const auto bmp = DecodeJpeg(RedBlue());
    ASSERT_EQ(bmp.Format, BitmapFormat::Bgr24);
    ASSERT_EQ(bmp.Width, 16);
    ASSERT_EQ(bmp.Height, 16);
    EXPECT_EQ(bmp.RowSize, 48);
    // Chroma subsampling blurs the seam; away from it the colours are within a few levels.
    for (int y : {0, 15}) {
        const unsigned char* left = bmp.Row(y) + 3 * 2;
        const unsigned char* right = bmp.Row(y) + 3 * 13;
        EXPECT_NEAR(left[2], 255, 6) << "red of a left pixel, row " << y;
        EXPECT_NEAR(left[0], 0, 6) << "blue of a left pixel, row " << y;
        EXPECT_NEAR(right[0], 255, 6) << "blue of a right pixel, row " << y;
        EXPECT_NEAR(right[2], 0, 6) << "red of a right pixel, row " << y;
    }
}

TEST(JpegDecoder, GreyPictureDecodesToPaletteWithGreyRamp) {
    testimages::Bytes grey(8 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) grey[y * 8 + x] = y < 4 ? 200 : 40; // light top, dark bottom
    const auto bmp = DecodeJpeg(testimages::EncodeJpeg(8, 8, 1, grey, 100));
    ASSERT_EQ(bmp.Format, BitmapFormat::Palette8);
    EXPECT_EQ(bmp.RowSize, 8);
    EXPECT_NEAR(bmp.Row(0)[3], 200, 8);
    EXPECT_NEAR(bmp.Row(7)[3], 40, 8);
    for (int i : {0, 77, 255}) {
        EXPECT_EQ(bmp.Palette[i].R, i);
        EXPECT_EQ(bmp.Palette[i].G, i);
        EXPECT_EQ(bmp.Palette[i].B, i);
    }
}

TEST(JpegDecoder, TruncatedStreamIsRefusedWithTheLibraryWarningNumber) {
    auto stream = testimages::EncodeJpeg(64, 64, 3, testimages::Solid(64, 64, 90, 140, 10));
    stream.resize(stream.size() * 2 / 3);
    EXPECT_EQ(DecodeError(stream), JpegError(JWRN_JPEG_EOF));
}

TEST(JpegDecoder, CorruptScanDataIsRefused) {
    testimages::Bytes noisy;
    std::srand(7);
    for (int i = 0; i < 64 * 64 * 3; ++i) noisy.push_back(static_cast<unsigned char>(std::rand()));
    auto stream = testimages::EncodeJpeg(64, 64, 3, noisy);
    // Overwrite a stretch in the middle of the entropy-coded data with a marker that cannot be there.
    const std::size_t mid = stream.size() / 2;
    for (std::size_t i = mid; i < mid + 16; i += 2) {
        stream[i] = 0xFF;
        stream[i + 1] = 0xD4;
    }
    const std::string error = DecodeError(stream);
    EXPECT_EQ(error.rfind("JPEG error #", 0), 0u) << error;
}

TEST(JpegDecoder, StreamsThatAreNotJpegRaiseTheLibraryErrorNumber) {
    EXPECT_EQ(DecodeError({}), JpegError(JERR_INPUT_EMPTY));
    EXPECT_EQ(DecodeError({'B', 'M', 0, 0, 0, 0, 0, 0}), JpegError(JERR_NO_SOI));
    auto headerless = RedBlue();
    headerless.resize(40); // SOI and part of the first table only
    EXPECT_EQ(DecodeError(headerless).rfind("JPEG error #", 0), 0u);
}

TEST(JpegDecoder, ClaimedGiantPictureIsRefusedBeforeDecoding) {
    auto stream = RedBlue();
    // Patch the frame header's height and width (SOF0: FF C0, length, precision, height, width).
    for (std::size_t i = 0; i + 8 < stream.size(); ++i) {
        if (stream[i] == 0xFF && stream[i + 1] == 0xC0) {
            stream[i + 5] = 0xFF; // height 65280
            stream[i + 6] = 0x00;
            stream[i + 7] = 0xFF; // width 65280
            stream[i + 8] = 0x00;
            break;
        }
    }
    EXPECT_EQ(DecodeError(stream), "JPEG image too large: 65280 x 65280");
}
