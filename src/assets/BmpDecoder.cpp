#include "assets/BmpDecoder.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "base/Error.h"

namespace quillaby {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12; // the old OS/2 header: 16-bit sizes, 3-byte palette
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t LargestHeaderSize = 124;

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

[[noreturn]] void Invalid(const std::string& reason) {
    throw Error("Invalid bitmap: " + reason);
}

// Little-endian reads at fixed offsets; the caller has checked that the bytes exist.
std::uint16_t U16(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::int32_t I32(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top-down
    unsigned bitCount = 0;
    std::uint32_t compression = Rgb;
    std::uint32_t paletteCount = 0;
    std::size_t paletteAt = 0;
    std::size_t paletteEntrySize = 4;
    std::uint32_t pixelsAt = 0;
};

Header ReadHeader(std::span<const unsigned char> file) {
    if (file.size() < FileHeaderSize + 4) Invalid("the file is too short");
    if (file[0] != 'B' || file[1] != 'M') Invalid("not a BMP file");
    Header h;
    h.pixelsAt = U32(file, 10);
    const std::uint32_t headerSize = U32(file, 14);
    if (headerSize != CoreHeaderSize && (headerSize < InfoHeaderSize || headerSize > LargestHeaderSize))
        Invalid("unknown header size " + std::to_string(headerSize));
    if (file.size() < FileHeaderSize + headerSize) Invalid("the header is truncated");

    unsigned planes;
    if (headerSize == CoreHeaderSize) {
        h.width = U16(file, 18);
        h.height = U16(file, 20);
        planes = U16(file, 22);
        h.bitCount = U16(file, 24);
        h.paletteEntrySize = 3;
        h.paletteCount = h.bitCount <= 8 ? (1u << h.bitCount) : 0;
    } else {
        h.width = I32(file, 18);
        h.height = I32(file, 22);
        planes = U16(file, 26);
        h.bitCount = U16(file, 28);
        h.compression = U32(file, 30);
        const std::uint32_t used = U32(file, 46);
        h.paletteCount = used != 0 ? used : (h.bitCount <= 8 ? (1u << h.bitCount) : 0);
    }
    h.paletteAt = FileHeaderSize + headerSize;

    if (planes != 1) Invalid("plane count " + std::to_string(planes) + " is not 1");
    if (h.width <= 0) Invalid("width " + std::to_string(h.width) + " is not positive");
    if (h.height == 0 || h.height == INT32_MIN)
        Invalid("height " + std::to_string(h.height) + " is not valid");
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Invalid("bit count " + std::to_string(h.bitCount) + " is not valid");
    }
    if (h.compression == Rle8 || h.compression == Rle4)
        Invalid("run-length compressed pictures are not supported");
    if (h.compression != Rgb && !(h.compression == BitFields && (h.bitCount == 16 || h.bitCount == 32)))
        Invalid("compression " + std::to_string(h.compression) + " is not supported");
    if (h.bitCount <= 8 && h.paletteCount > (1u << h.bitCount))
        Invalid("palette of " + std::to_string(h.paletteCount) + " colours is too large");
    return h;
}

} // namespace

Bitmap DecodeBmp(std::span<const unsigned char> file) {
    const Header h = ReadHeader(file);
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    const bool topDown = h.height < 0;

    Bitmap bmp;
    if (h.bitCount != 8 && h.bitCount != 24) {
        // A picture the texture builders do not take: its size is known, its pixels are not kept.
        bmp.Format = BitmapFormat::Other;
        bmp.Width = static_cast<int>(h.width);
        bmp.Height = static_cast<int>(rows);
        return bmp;
    }

    // Rows are padded to a multiple of four bytes; the last row's padding may be missing.
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(h.width) * (h.bitCount / 8);
    const std::uint64_t stride = (rowBytes + 3) & ~std::uint64_t{3};
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(rows - 1) + rowBytes;
    if (h.pixelsAt < h.paletteAt) Invalid("the pixel data overlaps the header");
    if (h.pixelsAt > file.size() || needed > file.size() - h.pixelsAt) Invalid("the pixel data is truncated");

    if (h.bitCount == 8) {
        const std::uint64_t paletteEnd = h.paletteAt + std::uint64_t{h.paletteCount} * h.paletteEntrySize;
        if (paletteEnd > h.pixelsAt) Invalid("the palette is truncated");
        bmp.Allocate(BitmapFormat::Palette8, static_cast<int>(h.width), static_cast<int>(rows));
        for (std::uint32_t i = 0; i < h.paletteCount; ++i) {
            const std::size_t at = h.paletteAt + i * h.paletteEntrySize; // blue, green, red[, unused]
            bmp.Palette[i] = PaletteColor{file[at + 2], file[at + 1], file[at]};
        }
    } else {
        bmp.Allocate(BitmapFormat::Bgr24, static_cast<int>(h.width), static_cast<int>(rows));
    }

    for (std::int64_t y = 0; y < rows; ++y) {
        const std::int64_t stored = topDown ? y : rows - 1 - y;
        const unsigned char* src = file.data() + h.pixelsAt + static_cast<std::size_t>(stride * stored);
        std::memcpy(bmp.Row(static_cast<int>(y)), src, static_cast<std::size_t>(rowBytes));
    }
    return bmp;
}

} // namespace quillaby
