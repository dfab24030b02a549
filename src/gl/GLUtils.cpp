#include "gl/GLUtils.h"

#include "assets/Resources.h"

namespace {

// One pixel of a decodable bitmap as R, G, B.
struct Rgb {
    unsigned char r, g, b;
};

inline Rgb PixelAt(const quillaby::Bitmap& bmp, const unsigned char* row, int x) {
    if (bmp.Format == quillaby::BitmapFormat::Bgr24) {
        const unsigned char* p = row + 3 * x;
        return {p[2], p[1], p[0]};
    }
    const quillaby::PaletteColor& c = bmp.Palette[row[x]];
    return {c.R, c.G, c.B};
}

} // namespace

std::unique_ptr<TGLTexture> TextureFromBitmap(const quillaby::Bitmap* bitmap) {
    if (!bitmap || !bitmap->HasPixels()) return nullptr;
    auto texture = std::make_unique<TGLTexture>();
    const int w = bitmap->Width, h = bitmap->Height;
    texture->SetSize(TGLTexture::FormatRGB, w, h);
    for (int i = 0; i < h; ++i) {
        const unsigned char* src = bitmap->Row(h - 1 - i);
        unsigned char* dst = texture->Row(i);
        if (bitmap->Format == quillaby::BitmapFormat::Bgr24) {
            for (int x = 0; x < w; ++x, src += 3, dst += 3) {
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
            }
        } else {
            for (int x = 0; x < w; ++x, dst += 3) {
                const quillaby::PaletteColor& c = bitmap->Palette[src[x]];
                dst[0] = c.R;
                dst[1] = c.G;
                dst[2] = c.B;
            }
        }
    }
    return texture;
}

std::unique_ptr<TGLTexture> TextureFromBitmaps(const quillaby::Bitmap* color, const quillaby::Bitmap* alpha) {
    if (!color || !alpha || !color->HasPixels() || !alpha->HasPixels()) return nullptr;
    if (color->Width != alpha->Width || color->Height != alpha->Height) return nullptr;
    auto texture = std::make_unique<TGLTexture>();
    const int w = color->Width, h = color->Height;
    texture->SetSize(TGLTexture::FormatRGBA, w, h);
    for (int i = 0; i < h; ++i) {
        const unsigned char* c = color->Row(h - 1 - i);
        const unsigned char* a = alpha->Row(h - 1 - i);
        unsigned char* dst = texture->Row(i);
        for (int x = 0; x < w; ++x, dst += 4) {
            const Rgb rgb = PixelAt(*color, c, x);
            const Rgb mask = PixelAt(*alpha, a, x);
            dst[0] = rgb.r;
            dst[1] = rgb.g;
            dst[2] = rgb.b;
            dst[3] = static_cast<unsigned char>((mask.r + mask.g + mask.b) / 3);
        }
    }
    return texture;
}

std::unique_ptr<TGLTexture> LoadTexture(std::string_view name, const TLoadSettings& from) {
    if (!IsPictureName(name)) return nullptr;
    const auto bitmap = LoadBitmap(name, from);
    return TextureFromBitmap(bitmap.get());
}

std::unique_ptr<TGLTexture> LoadTextureWithAlpha(std::string_view colorName, std::string_view alphaName,
                                                 const TLoadSettings& from) {
    const auto color = LoadBitmap(colorName, from);
    if (!quillaby::SameResourceName(colorName, alphaName)) {
        const auto alpha = LoadBitmap(alphaName, from);
        return TextureFromBitmaps(color.get(), alpha.get());
    }
    return TextureFromBitmaps(color.get(), color.get());
}
