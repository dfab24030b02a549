#pragma once
// An in-memory picture as the image loaders hand it to the texture builders: 8-bit with a
// 256-entry palette or 24-bit blue-green-red, rows stored from the top of the picture.
#include <array>
#include <vector>

namespace quillaby {

enum class BitmapFormat {
    Empty,    // nothing loaded (e.g. an image name with an unknown extension)
    Palette8, // one palette index per pixel
    Bgr24,    // blue, green, red per pixel
    Other,    // a picture of a depth the texture builders do not take; no pixels kept
};

struct PaletteColor {
    unsigned char R = 0, G = 0, B = 0;
};

struct Bitmap {
    BitmapFormat Format = BitmapFormat::Empty;
    int Width = 0;                           // pixels
    int Height = 0;                          // rows
    int RowSize = 0;                         // bytes per row in Pixels, no padding: Width or 3 x Width
    std::vector<unsigned char> Pixels;       // Height rows of RowSize bytes, top row first
    std::array<PaletteColor, 256> Palette{}; // Palette8 only; entries a file does not give are black

    // Row y counted from the top of the picture.
    const unsigned char* Row(int y) const { return Pixels.data() + static_cast<std::size_t>(y) * RowSize; }
    unsigned char* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * RowSize; }
    bool HasPixels() const { return Format == BitmapFormat::Palette8 || Format == BitmapFormat::Bgr24; }

    // Sets the format and size and allocates the pixels (zeroed). A size whose rows or whole
    // picture cannot be counted in int raises an Error naming the size; nothing is changed then.
    void Allocate(BitmapFormat format, int width, int height);
};

} // namespace quillaby
