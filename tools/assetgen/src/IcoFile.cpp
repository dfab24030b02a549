#include "ImageFiles.h"

#include "base/Error.h"

namespace assetgen {

namespace {

void put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// The classic icon image: a BITMAPINFOHEADER of twice the height (colour rows, then the mask),
// 32-bit BGRA rows from the bottom, and an all-clear 1-bit AND mask whose rows fill 4 bytes.
Bytes iconBitmap(const Image& image) {
    const int w = image.width(), h = image.height();
    const std::vector<std::uint8_t> rgb = image.toBytes();
    const int maskStride = (w + 31) / 32 * 4;
    Bytes out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h * 2));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // BI_RGB
    put32(out, static_cast<std::uint32_t>(w * h * 4 + maskStride * h));
    for (int i = 0; i < 4; ++i) put32(out, 0); // resolution and palette: unused
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
            out.insert(out.end(), {p[2], p[1], p[0], 0xff});
        }
    out.insert(out.end(), static_cast<std::size_t>(maskStride) * h, 0);
    return out;
}

} // namespace

Bytes encodeIco(const std::vector<Image>& images) {
    std::vector<Bytes> bodies;
    for (const Image& image : images) {
        if (image.width() != image.height() || image.width() < 1 || image.width() > 256)
            throw quillaby::Error("ICO encoder: icons are square, 1 to 256 pixels");
        // Large images as PNG, as the system's own icons keep them; small ones as bitmaps, which
        // every reader of icons knows.
        bodies.push_back(image.width() >= 256 ? encodePng(image, true) : iconBitmap(image));
    }
    Bytes out;
    put16(out, 0);
    put16(out, 1); // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int side = images[i].width();
        out.push_back(static_cast<std::uint8_t>(side == 256 ? 0 : side)); // 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(side == 256 ? 0 : side));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

} // namespace assetgen
