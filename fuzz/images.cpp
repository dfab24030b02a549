// Feeds arbitrary bytes to the BMP and JPEG decoders and builds textures from what they decode:
// every outcome must be a picture, no texture, or a quillaby::Error; never a crash or a read out
// of bounds. The first byte chooses the decoder, so one corpus serves both.
#include <cstddef>
#include <cstdint>
#include <span>

#include "assets/BmpDecoder.h"
#include "assets/JpegDecoder.h"
#include "base/Error.h"
#include "gl/GLUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::span<const unsigned char> bytes(data + 1, size - 1);
    try {
        const quillaby::Bitmap bmp = (data[0] & 1) ? quillaby::DecodeJpeg(bytes) : quillaby::DecodeBmp(bytes);
        if (bmp.HasPixels() && bmp.Pixels.size() != static_cast<std::size_t>(bmp.RowSize) * bmp.Height)
            __builtin_trap();
        auto texture = TextureFromBitmaps(&bmp, &bmp);
        if (texture && texture->Width() != bmp.Width) __builtin_trap();
    } catch (const quillaby::Error&) {
    }
    return 0;
}
