#pragma once
// TGLViewport: the window rectangle, the projection (perspective frustum or orthographic box) and a
// few global render switches, sent to OpenGL once per frame by Apply. The camera and the clearing
// of the buffers belong to the frame code.
#include <cstdint>

// Left, right, bottom, top, near and far planes, in scene units.
struct TGLVolume {
    double Left, Right, Bottom, Top, Near, Far;
};

class TGLViewport {
  public:
    // Window rectangle in pixels, lower-left corner first.
    void SetBounds(int X, int Y, int Width, int Height);
    void SetFrustum(double Left, double Right, double Bottom, double Top, double Near, double Far);
    void SetOrtho(double Left, double Right, double Bottom, double Top, double Near, double Far);
    // Stores the frustum of a vertical field of view (degrees) and aspect ratio (width / height);
    // leaves Perspective as it is.
    void SetPerspective(double FieldOfView, double Aspect, double Near, double Far);
    // Sends the rectangle, the projection and the switches; leaves model-view the current matrix.
    void Apply() const;

    bool Perspective = true;
    // Perspective-correction hint: nicest when true, fastest when false.
    bool PerspectiveCorrection = true;
    bool Lighting = false;
    int X = 0;
    int Y = 0;
    int Width = 100;
    int Height = 100;
    TGLVolume OrthoVolume{-1, 1, -1, 1, 1, 100};
    TGLVolume FrustumVolume{-1, 1, -1, 1, 1, 100};
    // 0 fill, 1 line, 2 point (both faces).
    uint8_t PolygonMode = 0;
    bool Dither = false;
    // 0 flat, 1 smooth.
    uint8_t ShadeModel = 1;
    // Antialiasing of points, lines and polygons.
    bool Smooth = false;
};
