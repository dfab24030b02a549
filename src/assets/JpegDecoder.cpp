#include "assets/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "base/Error.h"

namespace quillaby {

namespace {

// Larger pictures are refused before any pixel memory is taken (a corrupt header could claim
// gigabytes). 8192 x 8192 is far above any texture the program loads.
constexpr std::uint64_t MaxPixels = 8192ull * 8192ull;

// The library reports errors through error_exit, which must not return: it jumps back to
// DecodeInto. Warnings (truncated stream, corrupt entropy data) jump back the same way.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code; // message number of the error or warning that ended the decoding
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->code = err->pub.msg_code;
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0) OnError(cinfo); // a warning: the picture would be incomplete or wrong
}

void OnOutput(j_common_ptr) {} // nothing is printed; the message number travels in the exception

// Plain C data only between setjmp and longjmp: no destructor may be skipped by the jump, and
// nothing read after the jump is changed after setjmp except through memory the jump leaves alone
// (the out bitmap lives in the caller's frame).
enum class Outcome { Decoded, Failed, TooLarge };

// Frees the decompressor however DecodeInto is left, also when allocating the picture throws.
// Destroying is safe on a decompressor never created or already destroyed.
struct DecompressorGuard {
    jpeg_decompress_struct& cinfo;
    ~DecompressorGuard() { jpeg_destroy_decompress(&cinfo); }
};

Outcome DecodeInto(std::span<const unsigned char> stream, jpeg_decompress_struct& cinfo, ErrorManager& err,
                   Bitmap& out) {
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OnOutput;
    err.code = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return Outcome::Failed;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, stream.data(), static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&cinfo, TRUE);
    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    if (static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height > MaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return Outcome::TooLarge;
    }
    jpeg_start_decompress(&cinfo);
    out.Allocate(grey ? BitmapFormat::Palette8 : BitmapFormat::Bgr24, static_cast<int>(cinfo.output_width),
                 static_cast<int>(cinfo.output_height));
    if (grey) {
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<unsigned char>(i);
            out.Palette[i] = PaletteColor{v, v, v};
        }
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.Row(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return Outcome::Decoded;
}

} // namespace

Bitmap DecodeJpeg(std::span<const unsigned char> stream) {
    Bitmap out;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    const DecompressorGuard guard{cinfo};
    switch (DecodeInto(stream, cinfo, err, out)) {
    case Outcome::Decoded:
        return out;
    case Outcome::TooLarge:
        throw Error("JPEG image too large: " + std::to_string(cinfo.image_width) + " x " +
                    std::to_string(cinfo.image_height));
    case Outcome::Failed:
        break;
    }
    throw Error("JPEG error #" + std::to_string(err.code));
}

} // namespace quillaby
