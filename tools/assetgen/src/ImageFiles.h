#pragma once
// Encoders for the picture files the generator writes: baseline JPEG (textures), PNG (the
// contact sheet, the icon), 8-bit palette BMP (the logo) and ICO (the Windows program's icon).
#include "Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

// 3-channel baseline JPEG; the integer DCT keeps the bytes identical from run to run.
Bytes encodeJpeg(const Image& image, int quality = 92);

// 8-bit RGB PNG; with `alpha` an opaque alpha channel is added (RGBA).
Bytes encodePng(const Image& image, bool alpha = false);

// A picture reduced to at most 256 colours: one palette index per pixel, rows from the top.
struct PalettedImage {
    int width = 0, height = 0;
    std::vector<Rgb> palette; // at most 256 entries
    std::vector<std::uint8_t> indices;
};

// Median-cut palette of at most 256 colours, error-diffused.
PalettedImage quantise(const Image& image);

// Windows bitmap, 8 bits per pixel with a 256-entry palette, bottom-up rows padded to 4 bytes.
Bytes encodeBmp8(const PalettedImage& image);

// Windows icon file holding each of `images` (square, at most 256 pixels): 32-bit bitmaps, and a
// PNG for 256.
Bytes encodeIco(const std::vector<Image>& images);

} // namespace assetgen
