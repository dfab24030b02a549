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

} // namespace

Bytes encodePng(const Image& image, bool alpha) {
    Bytes out;
    Bytes pixels = image.toBytes();
    const int channels = alpha ? 4 : 3;
    if (alpha) {
        Bytes rgba;
        rgba.reserve(pixels.size() / 3 * 4);
        for (std::size_t i = 0; i < pixels.size(); i += 3)
            rgba.insert(rgba.end(), {pixels[i], pixels[i + 1], pixels[i + 2], 0xff});
        pixels.swap(rgba);
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) throw quillaby::Error("PNG encoder: out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw quillaby::Error("PNG encoder: write failed");
    }
    png_set_write_fn(png, &out, appendData, nullptr);
    png_set_IHDR(png, info, image.width(), image.height(), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) png_write_row(png, pixels.data() + y * image.width() * channels);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace assetgen
