#include "assets/Bitmap.h"

#include <climits>
#include <cstdint>
#include <string>

#include "base/Error.h"

namespace quillaby {

void Bitmap::Allocate(BitmapFormat format, int width, int height) {
    const std::int64_t bytesPerPixel =
        format == BitmapFormat::Bgr24 ? 3 : (format == BitmapFormat::Palette8 ? 1 : 0);
    const std::int64_t rowSize = bytesPerPixel * width;
    // Row(y) and the texture builders index with int rows of int bytes.
    if (width < 0 || height < 0 || rowSize > INT_MAX || rowSize * height > INT_MAX)
        throw Error("Picture size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is not supported");
    Pixels.assign(static_cast<std::size_t>(rowSize) * static_cast<std::size_t>(height), 0);
    Format = format;
    Width = width;
    Height = height;
    RowSize = static_cast<int>(rowSize);
}

} // namespace quillaby
