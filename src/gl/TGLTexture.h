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
    unsigned char* Row(int index) { return data_.get() + static_cast<std::size_t>(index) * rowSize_; }
    const unsigned char* Row(int index) const {
        return data_.get() + static_cast<std::size_t>(index) * rowSize_;
    }
    // The pixels changed: the next Bind uploads them again.
    void ImageChanged() { changes_ |= ImageBit; }

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

    int BytesPerPixel() const { return bytesPerPixel_; }
    unsigned char* Data() { return data_.get(); }
    const unsigned char* Data() const { return data_.get(); }
    bool Created() const { return created_; }
    bool Repeat() const { return repeat_; }
    int Height() const { return height_; }
    const TGLColor& EnvColor() const { return envColor_; }
    int Filter() const { return filter_; }
    int Format() const { return format_; }
    int EnvMode() const { return envMode_; }
    GLuint Handle() const { return handle_; }
    int Width() const { return width_; }
    int RowSize() const { return rowSize_; }
    std::uint32_t Changes() const { return changes_; }
    GLenum Target() const { return target_; }
    GLenum InternalFormat() const { return internalFormat_; }
    GLenum PixelFormat() const { return pixelFormat_; }
    GLenum PixelType() const { return pixelType_; }
    GLenum MagFilter() const { return magFilter_; }
    GLenum MinFilter() const { return minFilter_; }
    GLenum EnvModeValue() const { return envModeValue_; }
    GLenum WrapMode() const { return wrapMode_; }

  private:
    int bytesPerPixel_ = 3;
    std::unique_ptr<unsigned char[]> data_;
    bool created_ = false;
    bool repeat_ = true;
    int height_ = 0;
    TGLColor envColor_{1, 1, 1, 1};
    int filter_ = 1;
    int format_ = FormatRGB;
    int envMode_ = 0;
    GLuint handle_ = 0;
    int width_ = 0;
    int rowSize_ = 0;
    std::uint32_t changes_ = ParameterBits;
    GLenum target_ = GL_TEXTURE_2D;
    GLenum internalFormat_ = GL_RGB8;
    GLenum pixelFormat_ = GL_RGB;
    GLenum pixelType_ = GL_UNSIGNED_BYTE;
    GLenum magFilter_ = GL_LINEAR;
    GLenum minFilter_ = GL_LINEAR;
    GLenum envModeValue_ = GL_MODULATE;
    GLenum wrapMode_ = GL_REPEAT;
};
