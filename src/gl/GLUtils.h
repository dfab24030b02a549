#pragma once
// Pictures as textures: decoded bitmaps (assets/BitmapLoading) turned into textures, colour or colour
// with a second picture as alpha.
#include <memory>
#include <string_view>

#include "assets/BitmapLoading.h"
#include "gl/TGLTexture.h"

// The picture as an RGB texture, turned upside down into OpenGL's bottom-up row order. None for
// no bitmap or a bitmap that is neither 8-bit palette nor 24-bit. Sides that are not powers of
// two raise (pictures are never rescaled).
std::unique_ptr<TGLTexture> TextureFromBitmap(const quillaby::Bitmap* bitmap);
// An RGBA texture: colour from `color`, alpha from the brightness (R + G + B) / 3 of `alpha`
// (white opaque, black transparent). None unless both are 8-bit or 24-bit and of equal size.
std::unique_ptr<TGLTexture> TextureFromBitmaps(const quillaby::Bitmap* color, const quillaby::Bitmap* alpha);

// The picture `name` (".bmp", ".jpg", ".jepg") as an RGB texture; none for other extensions,
// without reading anything. Missing resources and files, and decoding errors, raise.
std::unique_ptr<TGLTexture> LoadTexture(std::string_view name, const TLoadSettings& from = LoadSettings());
// colorName's picture with alphaName's brightness as alpha. When the names are equal without
// regard to case the picture is read once and its own brightness becomes its alpha.
std::unique_ptr<TGLTexture> LoadTextureWithAlpha(std::string_view colorName, std::string_view alphaName,
                                                 const TLoadSettings& from = LoadSettings());
