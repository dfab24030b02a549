#include "app/PngWriter.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/Error.h"
#include "platform/FileOpen.h"

namespace quillaby::app {

void WritePng(const std::string& fileName, int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4)
        throw Error("Cannot write \"" + fileName + "\": the picture has no pixels or the wrong size");
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    // Speed over size: the default compression took most of a one-frame snapshot run. An opaque
    // picture goes out as RGB, which more than wins the size back.
    image.flags = PNG_IMAGE_FLAG_FAST;
    image.format = PNG_FORMAT_RGBA;
    const uint8_t* pixels = rgba.data();
    std::vector<uint8_t> rgb;
    bool opaque = true;
    for (size_t i = 3; i < rgba.size() && opaque; i += 4) opaque = rgba[i] == 255;
    if (opaque) {
        rgb.resize(rgba.size() / 4 * 3);
        for (size_t i = 0, j = 0; i < rgba.size(); i += 4, j += 3) std::copy_n(&rgba[i], 3, &rgb[j]);
        image.format = PNG_FORMAT_RGB;
        pixels = rgb.data();
    }
    // Opened by the platform: libpng's own fopen reads a Windows path in the ANSI code page.
    std::FILE* file = platform::OpenFile(fileName, "wb");
    if (!file) throw Error("Cannot write \"" + fileName + "\": " + std::strerror(errno));
    const bool written = png_image_write_to_stdio(&image, file, 0, pixels, 0, nullptr) != 0;
    const std::string reason = written ? "" : image.message;
    png_image_free(&image);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        platform::RemoveFile(fileName); // no half-written picture is left behind
        throw Error("Cannot write \"" + fileName +
                    "\": " + (written ? "the disk refused the picture" : reason));
    }
}

std::vector<uint8_t> ReadPng(const std::string& fileName, int& width, int& height) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    std::FILE* file = platform::OpenFile(fileName, "rb");
    if (!file) throw Error("Cannot read \"" + fileName + "\": " + std::strerror(errno));
    struct Close {
        std::FILE* File;
        ~Close() { std::fclose(File); }
    } closer{file};
    if (!png_image_begin_read_from_stdio(&image, file))
        throw Error("Cannot read \"" + fileName + "\": " + image.message);
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw Error("Cannot read \"" + fileName + "\": " + reason);
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

} // namespace quillaby::app
