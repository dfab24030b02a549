// Pictures survive a round trip through a PNG file; failures name the file.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/PngWriter.h"
#include "base/Error.h"

using namespace quillaby::app;

TEST(PngWriter, APictureReadsBackExactly) {
    const int w = 5, h = 3;
    std::vector<uint8_t> pixels(w * h * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 37 % 256);
    for (int i = 0; i < w * h; ++i) pixels[i * 4 + 3] = 255; // opaque, so no premultiplication applies
    const std::string file = testing::TempDir() + "quillaby_png_roundtrip.png";
    WritePng(file, w, h, pixels);
    int rw = 0, rh = 0;
    EXPECT_EQ(ReadPng(file, rw, rh), pixels);
    EXPECT_EQ(rw, w);
    EXPECT_EQ(rh, h);
    std::remove(file.c_str());
}

TEST(PngWriter, FailuresNameTheFile) {
    std::vector<uint8_t> pixels(4 * 4, 0);
    try {
        WritePng("/nonexistent-dir/x.png", 2, 2, pixels);
        FAIL() << "writing into a missing folder was accepted";
    } catch (const quillaby::Error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-dir/x.png"), std::string::npos);
    }
    EXPECT_THROW(WritePng(testing::TempDir() + "short.png", 3, 2, pixels), quillaby::Error);
    int w, h;
    EXPECT_THROW(ReadPng("/nonexistent-dir/y.png", w, h), quillaby::Error);
}
