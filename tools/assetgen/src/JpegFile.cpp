#include "ImageFiles.h"

#include "base/Error.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace assetgen {

namespace {

void failOnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw quillaby::Error(std::string("JPEG encoder: ") + message);
}

} // namespace

Bytes encodeJpeg(const Image& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jerr.error_exit = failOnError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    Bytes pixels = image.toBytes();
    try {
        jpeg_create_compress(&cinfo);
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = image.width();
        cinfo.image_height = image.height();
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        cinfo.dct_method = JDCT_ISLOW;
        jpeg_set_quality(&cinfo, quality, TRUE);
        // Full-resolution chroma: the banknote's fine coloured lines would smear at 4:2:0.
        for (int c = 0; c < cinfo.num_components; ++c) {
            cinfo.comp_info[c].h_samp_factor = 1;
            cinfo.comp_info[c].v_samp_factor = 1;
        }
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = pixels.data() + cinfo.next_scanline * image.width() * 3;
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
    } catch (...) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        throw;
    }
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

} // namespace assetgen
