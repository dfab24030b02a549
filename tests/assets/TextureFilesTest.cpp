// The generated pictures: JPEG textures of the size the texture loader demands, repeating
// textures without a seam, the bubble's alpha picture, and the palette logo bitmap.
#include "GeneratedAssets.h"

#include <SDL.h>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace assettest;

namespace {

const char* const kTextures[] = {"dollar.jpg",  "caust1.jpg", "caust2.jpg", "caust3.jpg", "caust5.jpg",
                                 "Pesok01.jpg", "dno02.jpg",  "dno03.jpg",  "voda1.jpg",  "voda2.jpg",
                                 "voda3.jpg",   "puzir.jpg",  "puzirA.jpg"};
const char* const kTiling[] = {"caust1.jpg", "caust2.jpg", "caust3.jpg", "caust5.jpg", "Pesok01.jpg",
                               "dno02.jpg",  "dno03.jpg",  "voda1.jpg",  "voda2.jpg",  "voda3.jpg"};

int channel(const DecodedJpeg& j, int x, int y, int c) {
    return j.pixels[(static_cast<std::size_t>(y) * j.width + x) * j.components + c];
}

double columnStep(const DecodedJpeg& j, int x0, int x1) {
    double sum = 0;
    for (int y = 0; y < j.height; ++y)
        for (int c = 0; c < j.components; ++c) sum += std::abs(channel(j, x0, y, c) - channel(j, x1, y, c));
    return sum / (j.height * j.components);
}

double rowStep(const DecodedJpeg& j, int y0, int y1) {
    double sum = 0;
    for (int x = 0; x < j.width; ++x)
        for (int c = 0; c < j.components; ++c) sum += std::abs(channel(j, x, y0, c) - channel(j, x, y1, c));
    return sum / (j.width * j.components);
}

// The mean difference across the wrap (last column to first, last row to first) compared with
// the largest mean difference between neighbouring interior columns or rows: a seam stands out
// as a step larger than any inside the picture.
struct SeamMeasure {
    double wrapColumns, wrapRows, interiorColumns, interiorRows;
};

SeamMeasure measureSeams(const DecodedJpeg& j) {
    SeamMeasure m{columnStep(j, j.width - 1, 0), rowStep(j, j.height - 1, 0), 0, 0};
    for (int x = 0; x + 1 < j.width; ++x)
        m.interiorColumns = std::max(m.interiorColumns, columnStep(j, x, x + 1));
    for (int y = 0; y + 1 < j.height; ++y) m.interiorRows = std::max(m.interiorRows, rowStep(j, y, y + 1));
    return m;
}

bool tilesWithoutSeam(const DecodedJpeg& j) {
    SeamMeasure m = measureSeams(j);
    return m.wrapColumns <= m.interiorColumns * 1.1 + 1 && m.wrapRows <= m.interiorRows * 1.1 + 1;
}

} // namespace

TEST(TextureFiles, EveryTextureIsA256SquareColourJpeg) {
    for (const char* name : kTextures) {
        SCOPED_TRACE(name);
        DecodedJpeg j = decodeJpeg(asset(name));
        EXPECT_EQ(j.width, 256);
        EXPECT_EQ(j.height, 256);
        EXPECT_EQ(j.components, 3);
    }
}

TEST(TextureFiles, RepeatingTexturesTileWithoutASeam) {
    for (const char* name : kTiling) {
        SCOPED_TRACE(name);
        DecodedJpeg j = decodeJpeg(asset(name));
        SeamMeasure m = measureSeams(j);
        EXPECT_TRUE(tilesWithoutSeam(j)) << "wrap " << m.wrapColumns << "/" << m.wrapRows << " interior "
                                         << m.interiorColumns << "/" << m.interiorRows;
    }
}

TEST(TextureFiles, SeamMeasureCatchesAPictureThatDoesNotTile) {
    // A 200-texel crop of a tiling picture: its new edges were never neighbours.
    DecodedJpeg whole = decodeJpeg(asset("caust1.jpg"));
    DecodedJpeg crop;
    crop.width = crop.height = 200;
    crop.components = 3;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            for (int c = 0; c < 3; ++c)
                crop.pixels.push_back(static_cast<std::uint8_t>(channel(whole, x, y, c)));
    EXPECT_FALSE(tilesWithoutSeam(crop));
}

TEST(TextureFiles, BubbleAlphaIsClearOutsideOpaqueAtTheHighlightAndThinInside) {
    DecodedJpeg alpha = decodeJpeg(asset("puzirA.jpg"));
    ASSERT_EQ(alpha.width, 256);
    auto at = [&](int x, int y) {
        return (channel(alpha, x, y, 0) + channel(alpha, x, y, 1) + channel(alpha, x, y, 2)) / 3;
    };
    // The scene's alpha test drops everything at or below 0.1 (25 of 255).
    for (int corner : {0, 255}) {
        EXPECT_LT(at(corner, corner), 10);
        EXPECT_LT(at(corner, 255 - corner), 10);
    }
    int brightest = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) brightest = std::max(brightest, at(x, y));
    EXPECT_GT(brightest, 240);
    EXPECT_GT(at(150, 150), 25) << "the body is faintly visible";
    EXPECT_LT(at(150, 150), 128) << "the body is mostly clear";
    // The rim is more opaque than the body, and soft towards the outside.
    EXPECT_GT(at(128 + 112, 128), at(150, 150));
    EXPECT_LT(at(128 + 118, 128), at(128 + 112, 128));
}

TEST(TextureFiles, LogoIsA150By110PaletteBitmapThatSdlReads) {
    const Bytes& bmp = asset("logo.bmp");
    ASSERT_GT(bmp.size(), 54u);
    auto le32 = [&](int at) { return bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24; };
    auto le16 = [&](int at) { return bmp[at] | bmp[at + 1] << 8; };
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(static_cast<std::size_t>(le32(2)), bmp.size());
    EXPECT_EQ(le32(18), 150);
    EXPECT_EQ(le32(22), 110);
    EXPECT_EQ(le16(28), 8);
    EXPECT_EQ(le32(46), 256);

    SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1);
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    EXPECT_EQ(surface->w, 150);
    EXPECT_EQ(surface->h, 110);
    EXPECT_EQ(surface->format->BitsPerPixel, 8);
    ASSERT_NE(surface->format->palette, nullptr);
    // Many colours in use: a picture, not a flat fill.
    std::set<int> used;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            used.insert(static_cast<const Uint8*>(surface->pixels)[y * surface->pitch + x]);
    EXPECT_GT(used.size(), 64u);
    SDL_FreeSurface(surface);
}
