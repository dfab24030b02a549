#pragma once
// Windows BMP files: 8-bit palette and 24-bit pictures, stored bottom-up or top-down.
#include <span>

#include "assets/Bitmap.h"

namespace quillaby {

// Decodes a whole BMP file. Uncompressed 8-bit and 24-bit pictures are decoded; well-formed
// pictures of any other depth or compression give a bitmap of format Other (no pixels), which
// the texture builders turn into "no texture". A file that is malformed or truncated raises
// "Invalid bitmap: <reason>".
Bitmap DecodeBmp(std::span<const unsigned char> file);

} // namespace quillaby
