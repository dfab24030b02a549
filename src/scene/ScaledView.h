#pragma once
// The scene drawn at a share of the window's size and scaled up to the whole window: the lower-left
// part of the back buffer is copied into a texture (OpenGL 1.1: glCopyTexSubImage2D) and drawn over
// the window as one bilinear-filtered quad. Fewer pixels drawn is what software rendering saves on.
#include <cstdint>

class TScaledView {
  public:
    // The drawn share of each side of the window, percent (MinPercent to 100).
    void SetPercent(int Percent);
    int Percent() const { return FPercent; }
    static constexpr int MinPercent = 25;

    // The side drawn for a window side of Side pixels: at least one pixel.
    static int ScaledSide(int Side, int Percent);
    // Whether a window of Width x Height pixels is drawn scaled: not at 100 percent, and not where
    // the texture it needs would be larger than the driver allows.
    bool Scales(int Width, int Height);

    // The scene is in the Width x Height corner at (Left, Bottom) of the back buffer, drawn for a
    // window of FullWidth x FullHeight: copy it and draw it over the whole window. Leaves the
    // render state, the matrices and the bound texture as it found them.
    void Present(int Left, int Bottom, int Width, int Height, int FullWidth, int FullHeight);

    // A new context: the old texture went with the old one.
    void ContextChanged();
    // Deletes the texture; the context it was made in must be current.
    void Release();

  private:
    int FPercent = 100;
    uint32_t FTexture = 0;    // GL texture name, 0: none yet
    int FTextureSide[2] = {}; // allocated size in texels, powers of two
    int FMaxTextureSize = 0;  // GL_MAX_TEXTURE_SIZE, read once per context
};
