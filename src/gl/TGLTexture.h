#pragma once
// TGLTexture: one OpenGL texture object with its pixels kept in main memory and its parameters.
// The pixels are uploaded on the first Bind (and again after ImageChanged); a parameter is sent
// only when it changed. Pixel layout: row 0 is the bottom row; within a row pixels go left to
// right, each R, G, B (and A for RGBA) as unsigned bytes, rows packed without gaps.
#include "gl/SystemGL.h"

#include <cstdint>
#include <memory>

#include "gl/TGLItemList.h"
#include "math/Geometry.h"

class TGLTexture : public TGLItemList {
  public:
    // Change bits: what Update still has to send.
    static constexpr std::uint32_t ImageBit = 0x01;
    static constexpr std::uint32_t FilterBit = 0x02;
    static constexpr std::uint32_t WrapBit = 0x04;
    static constexpr std::uint32_t EnvModeBit = 0x10;
    static constexpr std::uint32_t EnvColorBit = 0x20;
    static constexpr std::uint32_t ParameterBits = FilterBit | WrapBit | EnvModeBit | EnvColorBit;
    static constexpr std::uint32_t AllBits = ImageBit | ParameterBits;

    static constexpr int FormatRGB = 0;
    static constexpr int FormatRGBA = 1;

    TGLTexture();
    ~TGLTexture() override;

    // Checks that width and height are powers of two (1 to 2^30), then frees the pixels, sets the
    // size, target (1-D when height is 1), format enums, BytesPerPixel and RowSize, allocates new
    // pixels (contents undefined) and marks the image changed. A size that is not a power of two
    // raises "TGLTexture.SetSize error: a size is not power 2" and changes nothing.
    void SetSize(int format, int width, int height);
    // The first byte of row `index` (0 = bottom row).
    unsigned char* Row(int index) { return FData.get() + static_cast<std::size_t>(index) * FRowSize; }
    const unsigned char* Row(int index) const {
        return FData.get() + static_cast<std::size_t>(index) * FRowSize;
    }
    // The pixels changed: the next Bind uploads them again.
    void ImageChanged() { FChanges |= ImageBit; }

    // Filter index 0..5 (magnification / minification pairs; 1 is linear / linear). Only level 0 is
    // ever uploaded, so the mipmap pairs 2..5 leave the texture incomplete. Other indices raise.
    void SetFilter(int filter);
    // true: repeat; false: clamp (both S and T).
    void SetRepeat(bool repeat);
    // Environment mode index 0..3: modulate, decal, blend, replace. Other indices raise.
    void SetEnvMode(int mode);
    void SetEnvColor(const TGLColor& color);

    // Creates the OpenGL object on first use (which also enables texturing for its target), sends
    // pending changes and binds it. Needs a current rendering context.
    void Bind();
    // Sends pending changes to the object.
    void Update();
    // Deletes the OpenGL object if it exists; the pixels stay, so a later Bind uploads them anew.
    void DeleteHandle();
    // Frees the pixels.
    void FreeData();

    int BytesPerPixel() const { return FBytesPerPixel; }
    unsigned char* Data() { return FData.get(); }
    const unsigned char* Data() const { return FData.get(); }
    bool Created() const { return FCreated; }
    bool Repeat() const { return FRepeat; }
    int Height() const { return FHeight; }
    const TGLColor& EnvColor() const { return FEnvColor; }
    int Filter() const { return FFilter; }
    int Format() const { return FFormat; }
    int EnvMode() const { return FEnvMode; }
    GLuint Handle() const { return FHandle; }
    int Width() const { return FWidth; }
    int RowSize() const { return FRowSize; }
    std::uint32_t Changes() const { return FChanges; }
    GLenum Target() const { return FTarget; }
    GLenum InternalFormat() const { return FInternalFormat; }
    GLenum PixelFormat() const { return FPixelFormat; }
    GLenum PixelType() const { return FPixelType; }
    GLenum MagFilter() const { return FMagFilter; }
    GLenum MinFilter() const { return FMinFilter; }
    GLenum EnvModeValue() const { return FEnvModeValue; }
    GLenum WrapMode() const { return FWrapMode; }

  private:
    int FBytesPerPixel = 3;
    std::unique_ptr<unsigned char[]> FData;
    bool FCreated = false;
    bool FRepeat = true;
    int FHeight = 0;
    TGLColor FEnvColor{1, 1, 1, 1};
    int FFilter = 1;
    int FFormat = FormatRGB;
    int FEnvMode = 0;
    GLuint FHandle = 0;
    int FWidth = 0;
    int FRowSize = 0;
    std::uint32_t FChanges = ParameterBits;
    GLenum FTarget = GL_TEXTURE_2D;
    GLenum FInternalFormat = GL_RGB8;
    GLenum FPixelFormat = GL_RGB;
    GLenum FPixelType = GL_UNSIGNED_BYTE;
    GLenum FMagFilter = GL_LINEAR;
    GLenum FMinFilter = GL_LINEAR;
    GLenum FEnvModeValue = GL_MODULATE;
    GLenum FWrapMode = GL_REPEAT;
};
