#include "scene/ScaledView.h"

#include <algorithm>
#include <utility>

#include "gl/GLCalls.h"

namespace {

int PowerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

} // namespace

void TScaledView::SetPercent(int Percent) {
    FPercent = std::clamp(Percent, MinPercent, 100);
}

int TScaledView::ScaledSide(int Side, int Percent) {
    return std::max(1, (Side * Percent + 50) / 100);
}

bool TScaledView::Scales(int Width, int Height) {
    if (FPercent >= 100 || Width <= 0 || Height <= 0) return false;
    if (FMaxTextureSize == 0) {
        GLint size = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
        FMaxTextureSize = size > 0 ? size : 1;
    }
    return PowerOfTwoAtLeast(ScaledSide(std::max(Width, Height), FPercent)) <= FMaxTextureSize;
}

void TScaledView::Present(int Left, int Bottom, int Width, int Height, int FullWidth, int FullHeight) {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT |
                 GL_DEPTH_BUFFER_BIT | GL_TRANSFORM_BIT);
    // OpenGL 1.1 textures have power-of-two sides; the texture only grows, so windows of several
    // sizes (one a monitor) share it without a new allocation every frame.
    const int texWidth = std::max(FTextureSide[0], PowerOfTwoAtLeast(Width));
    const int texHeight = std::max(FTextureSide[1], PowerOfTwoAtLeast(Height));
    if (FTexture == 0) {
        GLuint name = 0;
        glGenTextures(1, &name);
        FTexture = name;
        FTextureSide[0] = FTextureSide[1] = 0;
    }
    glBindTexture(GL_TEXTURE_2D, FTexture);
    if (texWidth != FTextureSide[0] || texHeight != FTextureSide[1]) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texWidth, texHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        FTextureSide[0] = texWidth;
        FTextureSide[1] = texHeight;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, Left, Bottom, Width, Height);

    glViewport(Left, Bottom, FullWidth, FullHeight);
    for (GLenum matrix : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(matrix);
        glPushMatrix();
        glLoadIdentity();
    }
    for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_FOG, GL_BLEND, GL_CULL_FACE, GL_ALPHA_TEST,
                       GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_DITHER})
        glDisable(cap);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // The outermost pixel centres of the window sample the outermost texel centres of the drawn
    // picture: bilinear filtering never reaches the texels beyond it (the unused rest of the
    // texture, or the border), so no edge darkens.
    auto span = [](int drawn, int full, int side) {
        const double step = full > 1 ? static_cast<double>(drawn - 1) / (full - 1) : 0; // texels a pixel
        return std::pair<float, float>(static_cast<float>((0.5 - 0.5 * step) / side),
                                       static_cast<float>((0.5 + (full - 0.5) * step) / side));
    };
    const auto [u0, u1] = span(Width, FullWidth, texWidth);
    const auto [v0, v1] = span(Height, FullHeight, texHeight);
    glBegin(GL_QUADS);
    glTexCoord2f(u0, v0);
    glVertex2f(-1, -1);
    glTexCoord2f(u1, v0);
    glVertex2f(1, -1);
    glTexCoord2f(u1, v1);
    glVertex2f(1, 1);
    glTexCoord2f(u0, v1);
    glVertex2f(-1, 1);
    glEnd();

    for (GLenum matrix : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(matrix);
        glPopMatrix();
    }
    glPopAttrib();
}

void TScaledView::ContextChanged() {
    FTexture = 0;
    FTextureSide[0] = FTextureSide[1] = 0;
    FMaxTextureSize = 0;
}

void TScaledView::Release() {
    if (FTexture != 0) {
        const GLuint name = FTexture;
        glDeleteTextures(1, &name);
    }
    ContextChanged();
}
