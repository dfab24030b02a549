#include "app/PngWriter.h"

#include <png.h>

#include <cstring>

#include "base/Error.h"

namespace quillaby::app {

void WritePng(const std::string& fileName, int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4)
        throw Error("Cannot write \"" + fileName + "\": the picture has no pixels or the wrong size");
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, fileName.c_str(), 0, rgba.data(), 0, nullptr)) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw Error("Cannot write \"" + fileName + "\": " + reason);
    }
}

std::vector<uint8_t> ReadPng(const std::string& fileName, int& width, int& height) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, fileName.c_str()))
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
