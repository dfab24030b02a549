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
    FWidth = width;
    FHeight = height;
    FTarget = height == 1 ? GL_TEXTURE_1D : GL_TEXTURE_2D;
    FFormat = format == FormatRGBA ? FormatRGBA : FormatRGB;
    FInternalFormat = FFormat == FormatRGBA ? GL_RGBA8 : GL_RGB8;
    FPixelFormat = FFormat == FormatRGBA ? GL_RGBA : GL_RGB;
    FPixelType = GL_UNSIGNED_BYTE;
    FBytesPerPixel = bpp;
    FRowSize = static_cast<int>(rowSize);
    FData.reset(new unsigned char[static_cast<std::size_t>(rowSize) * static_cast<std::size_t>(height)]);
    FChanges |= ImageBit;
}

void TGLTexture::SetFilter(int filter) {
    if (filter < 0 || filter > 5)
        throw quillaby::Error("TGLTexture.SetFilter error: filter index " + std::to_string(filter) +
                              " is out of range");
    FFilter = filter;
    FMagFilter = Filters[filter].mag;
    FMinFilter = Filters[filter].min;
    FChanges |= FilterBit;
}

void TGLTexture::SetRepeat(bool repeat) {
    FRepeat = repeat;
    FWrapMode = repeat ? GL_REPEAT : GL_CLAMP;
    FChanges |= WrapBit;
}

void TGLTexture::SetEnvMode(int mode) {
    if (mode < 0 || mode > 3)
        throw quillaby::Error("TGLTexture.SetEnvMode error: mode index " + std::to_string(mode) +
                              " is out of range");
    FEnvMode = mode;
    FEnvModeValue = EnvModes[mode];
    FChanges |= EnvModeBit;
}

void TGLTexture::SetEnvColor(const TGLColor& color) {
    FEnvColor = color;
    FChanges |= EnvColorBit;
}

void TGLTexture::Bind() {
    if (!FCreated) {
        FChanges = AllBits;
        glGenTextures(1, &FHandle);
        Update();
        glEnable(FTarget);
        glBindTexture(FTarget, 0);
        FCreated = true;
    } else if (FChanges != 0) {
        Update();
    }
    glBindTexture(FTarget, FHandle);
}

void TGLTexture::Update() {
    if (FChanges == 0) return;
    glBindTexture(FTarget, FHandle);
    glTexParameterf(FTarget, GL_TEXTURE_PRIORITY, 1.0f);
    if (FChanges & ImageBit) {
        // Rows are packed without gaps; GL expects 4-byte aligned rows unless told otherwise, which
        // only RGB rows of 1 or 2 pixels are not.
        const bool packed = FRowSize % 4 != 0;
        if (packed) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        if (FTarget == GL_TEXTURE_2D)
            glTexImage2D(FTarget, 0, static_cast<GLint>(FInternalFormat), FWidth, FHeight, 0, FPixelFormat,
                         FPixelType, FData.get());
        else
            glTexImage1D(FTarget, 0, static_cast<GLint>(FInternalFormat), FWidth, 0, FPixelFormat, FPixelType,
                         FData.get());
        if (packed) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    if (FChanges & FilterBit) {
        glTexParameteri(FTarget, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(FMagFilter));
        glTexParameteri(FTarget, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(FMinFilter));
    }
    if (FChanges & WrapBit) {
        glTexParameteri(FTarget, GL_TEXTURE_WRAP_S, static_cast<GLint>(FWrapMode));
        glTexParameteri(FTarget, GL_TEXTURE_WRAP_T, static_cast<GLint>(FWrapMode));
    }
    if (FChanges & EnvModeBit)
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(FEnvModeValue));
    if (FChanges & EnvColorBit) glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, &FEnvColor.R);
    FChanges = 0;
}

void TGLTexture::DeleteHandle() {
    if (!FCreated) return;
    // A texture outliving the GL binding has nothing left to delete on the card.
    if (quillaby::gl::entryPoints.glDeleteTextures) glDeleteTextures(1, &FHandle);
    FCreated = false;
    FHandle = 0;
}

void TGLTexture::FreeData() {
    FData.reset();
}
