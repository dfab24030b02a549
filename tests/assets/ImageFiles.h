#pragma once
// Builds small BMP files and JPEG streams for the image tests. The JPEG side uses the JPEG
// library's encoder, so the decoder is tested against real streams.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "assets/Resources.h"
#include "base/Error.h"

namespace testimages {

using Bytes = std::vector<unsigned char>;

inline void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
inline void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

struct BmpSpec {
    int width = 2;
    int height = 2; // as stored: negative for top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;                 // 0: the full palette for the bit count
    std::vector<std::uint32_t> palette;           // 0x00RRGGBB entries, written as B, G, R, 0
    std::vector<std::vector<unsigned char>> rows; // unpadded rows in storage order (first = first stored)
};

// A BMP file with a 40-byte info header.
inline Bytes MakeBmp(const BmpSpec& s) {
    const std::size_t paletteEntries =
        s.colorsUsed ? s.colorsUsed : (s.bitCount <= 8 ? (1u << s.bitCount) : 0);
    const std::size_t pixelsAt = 14 + 40 + 4 * paletteEntries;
    const std::size_t stride = ((static_cast<std::size_t>(s.width) * s.bitCount + 31) / 32) * 4;
    Bytes b(pixelsAt + stride * s.rows.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(pixelsAt));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(s.width));
    Put32(b, 22, static_cast<std::uint32_t>(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(s.bitCount));
    Put32(b, 30, s.compression);
    Put32(b, 46, s.colorsUsed);
    for (std::size_t i = 0; i < s.palette.size() && i < paletteEntries; ++i) {
        b[54 + 4 * i] = s.palette[i] & 0xFF;
        b[54 + 4 * i + 1] = (s.palette[i] >> 8) & 0xFF;
        b[54 + 4 * i + 2] = (s.palette[i] >> 16) & 0xFF;
    }
    for (std::size_t r = 0; r < s.rows.size(); ++r)
        for (std::size_t i = 0; i < s.rows[r].size(); ++i) b[pixelsAt + r * stride + i] = s.rows[r][i];
    return b;
}

// A baseline JPEG of width x height pixels; components 1 (grey) or 3 (RGB, given as R, G, B).
inline Bytes EncodeJpeg(int width, int height, int components, const Bytes& pixels, int quality = 95) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(pixels.data()) + c.next_scanline * width * components;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    Bytes result(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return result;
}

// width x height RGB pixels, every pixel the same colour.
inline Bytes Solid(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    Bytes p;
    p.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int i = 0; i < width * height; ++i) p.insert(p.end(), {r, g, b});
    return p;
}

// Resources held in memory, counting reads by resource name so a test can tell what was read.
class MemoryResources : public quillaby::ResourceSource {
  public:
    void Add(const std::string& fileName, Bytes bytes) {
        FItems[quillaby::ResourceName(fileName)] = std::move(bytes);
    }
    std::optional<quillaby::ResourceData> Find(std::string_view name) const override {
        for (const auto& [key, bytes] : FItems)
            if (quillaby::SameResourceName(key, name)) {
                ++reads[key];
                return quillaby::ResourceData(std::span(bytes));
            }
        return std::nullopt;
    }
    mutable std::map<std::string, int> reads;

  private:
    std::map<std::string, Bytes> FItems;
};

// The message of the quillaby::Error that f raises, or "no error".
inline std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "no error";
}

} // namespace testimages
