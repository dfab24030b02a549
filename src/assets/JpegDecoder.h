#pragma once
// JPEG pictures through the JPEG library: colour pictures become 24-bit, grey ones 8-bit with a
// grey palette.
#include <span>

#include "assets/Bitmap.h"

namespace quillaby {

// Decodes a whole JPEG stream. Any error of the library raises "JPEG error #<n>" with the
// library's message number; so does any warning (a truncated stream or corrupt data), so that
// half a picture is never returned.
Bitmap DecodeJpeg(std::span<const unsigned char> stream);

} // namespace quillaby
