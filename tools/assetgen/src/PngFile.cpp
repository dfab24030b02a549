#include "ImageFiles.h"

#include "base/Error.h"

#include <csetjmp>
#include <png.h>

namespace assetgen {

namespace {

void appendData(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// Interleaved 8-bit rows from the top: RGB, or RGBA with every pixel opaque.
Bytes rowsOf(const Image& image, bool alpha) {
    Bytes pixels = image.toBytes();
    if (!alpha) return pixels;
    Bytes rgba;
    rgba.reserve(pixels.size() / 3 * 4);
    for (std::size_t i = 0; i < pixels.size(); i += 3)
        rgba.insert(rgba.end(), {pixels[i], pixels[i + 1], pixels[i + 2], 0xff});
    return rgba;
}

// The encoder proper; no local of its own lives across its setjmp.
Bytes encodeRows(const Bytes& pixels, int width, int height, int colourType, int channels) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) throw quillaby::Error("PNG encoder: out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw quillaby::Error("PNG encoder: write failed");
    }
    png_set_write_fn(png, &out, appendData, nullptr);
    png_set_IHDR(png, info, width, height, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png,
                      const_cast<png_bytep>(pixels.data()) + static_cast<std::size_t>(y) * width * channels);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace

Bytes encodePng(const Image& image, bool alpha) {
    return encodeRows(rowsOf(image, alpha), image.width(), image.height(),
                      alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, alpha ? 4 : 3);
}

} // namespace assetgen
