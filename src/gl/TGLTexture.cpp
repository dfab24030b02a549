#include "gl/TGLTexture.h"

#include <climits>
#include <string>

#include "base/Error.h"
#include "gl/GLCalls.h"

namespace {

struct FilterPair {
    GLenum mag, min;
};

constexpr FilterPair Filters[6] = {
    {GL_NEAREST, GL_NEAREST},
    {GL_LINEAR, GL_LINEAR},
    {GL_NEAREST, GL_NEAREST_MIPMAP_NEAREST},
    {GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST},
    {GL_NEAREST, GL_NEAREST_MIPMAP_LINEAR},
    {GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR},
};

constexpr GLenum EnvModes[4] = {GL_MODULATE, GL_DECAL, GL_BLEND, GL_REPLACE};

bool IsPowerOfTwo(int size) {
    return size > 0 && size <= (1 << 30) && (size & (size - 1)) == 0;
}

} // namespace

TGLTexture::TGLTexture() = default;

TGLTexture::~TGLTexture() {
    DeleteHandle();
    FreeData();
}

void TGLTexture::SetSize(int format, int width, int height) {
    if (!IsPowerOfTwo(width) || !IsPowerOfTwo(height))
        throw quillaby::Error("TGLTexture.SetSize error: a size is not power 2");
    const int bpp = format == FormatRGBA ? 4 : 3;
    const long long rowSize = static_cast<long long>(width) * bpp;
    if (rowSize > INT_MAX) throw quillaby::Error("TGLTexture.SetSize error: the image is too large");
    FreeData();
    width_ = width;
    height_ = height;
    target_ = height == 1 ? GL_TEXTURE_1D : GL_TEXTURE_2D;
    format_ = format == FormatRGBA ? FormatRGBA : FormatRGB;
    internalFormat_ = format_ == FormatRGBA ? GL_RGBA8 : GL_RGB8;
    pixelFormat_ = format_ == FormatRGBA ? GL_RGBA : GL_RGB;
    pixelType_ = GL_UNSIGNED_BYTE;
    bytesPerPixel_ = bpp;
    rowSize_ = static_cast<int>(rowSize);
    data_.reset(new unsigned char[static_cast<std::size_t>(rowSize) * static_cast<std::size_t>(height)]);
    changes_ |= ImageBit;
}

void TGLTexture::SetFilter(int filter) {
    if (filter < 0 || filter > 5)
        throw quillaby::Error("TGLTexture.SetFilter error: filter index " + std::to_string(filter) +
                              " is out of range");
    filter_ = filter;
    magFilter_ = Filters[filter].mag;
    minFilter_ = Filters[filter].min;
    changes_ |= FilterBit;
}

void TGLTexture::SetRepeat(bool repeat) {
    repeat_ = repeat;
    wrapMode_ = repeat ? GL_REPEAT : GL_CLAMP;
    changes_ |= WrapBit;
}

void TGLTexture::SetEnvMode(int mode) {
    if (mode < 0 || mode > 3)
        throw quillaby::Error("TGLTexture.SetEnvMode error: mode index " + std::to_string(mode) +
                              " is out of range");
    envMode_ = mode;
    envModeValue_ = EnvModes[mode];
    changes_ |= EnvModeBit;
}

void TGLTexture::SetEnvColor(const TGLColor& color) {
    envColor_ = color;
    changes_ |= EnvColorBit;
}

void TGLTexture::Bind() {
    if (!created_) {
        changes_ = AllBits;
        glGenTextures(1, &handle_);
        Update();
        glEnable(target_);
        glBindTexture(target_, 0);
        created_ = true;
    } else if (changes_ != 0) {
        Update();
    }
    glBindTexture(target_, handle_);
}

void TGLTexture::Update() {
    if (changes_ == 0) return;
    glBindTexture(target_, handle_);
    glTexParameterf(target_, GL_TEXTURE_PRIORITY, 1.0f);
    if (changes_ & ImageBit) {
        // Rows are packed without gaps; GL expects 4-byte aligned rows unless told otherwise, which
        // only RGB rows of 1 or 2 pixels are not.
        const bool packed = rowSize_ % 4 != 0;
        if (packed) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        if (target_ == GL_TEXTURE_2D)
            glTexImage2D(target_, 0, static_cast<GLint>(internalFormat_), width_, height_, 0, pixelFormat_,
                         pixelType_, data_.get());
        else
            glTexImage1D(target_, 0, static_cast<GLint>(internalFormat_), width_, 0, pixelFormat_, pixelType_,
                         data_.get());
        if (packed) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    if (changes_ & FilterBit) {
        glTexParameteri(target_, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter_));
        glTexParameteri(target_, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter_));
    }
    if (changes_ & WrapBit) {
        glTexParameteri(target_, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrapMode_));
        glTexParameteri(target_, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrapMode_));
    }
    if (changes_ & EnvModeBit)
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(envModeValue_));
    if (changes_ & EnvColorBit) glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, &envColor_.R);
    changes_ = 0;
}

void TGLTexture::DeleteHandle() {
    if (!created_) return;
    // A texture outliving the GL binding has nothing left to delete on the card.
    if (quillaby::gl::entryPoints.glDeleteTextures) glDeleteTextures(1, &handle_);
    created_ = false;
    handle_ = 0;
}

void TGLTexture::FreeData() {
    data_.reset();
}
