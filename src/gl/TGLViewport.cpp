#include "gl/TGLViewport.h"

#include <cmath>
#include <numbers>

#include "gl/GLCalls.h"
#include "math/PortableMath.h"

namespace {

void Switch(GLenum cap, bool on) {
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

} // namespace

void TGLViewport::SetBounds(int AX, int AY, int AWidth, int AHeight) {
    X = AX;
    Y = AY;
    Width = AWidth;
    Height = AHeight;
}

void TGLViewport::SetFrustum(double Left, double Right, double Bottom, double Top, double Near, double Far) {
    FrustumVolume = {Left, Right, Bottom, Top, Near, Far};
}

void TGLViewport::SetOrtho(double Left, double Right, double Bottom, double Top, double Near, double Far) {
    OrthoVolume = {Left, Right, Bottom, Top, Near, Far};
}

void TGLViewport::SetPerspective(double FieldOfView, double Aspect, double Near, double Far) {
    const double top = quillaby::portable::Tan(FieldOfView * std::numbers::pi / 180.0 / 2.0) * Near;
    const double right = Aspect * top;
    FrustumVolume = {-right, right, -top, top, Near, Far};
}

void TGLViewport::Apply() const {
    static constexpr GLenum polygonModes[] = {GL_FILL, GL_LINE, GL_POINT};
    const GLenum quality = Smooth ? GL_NICEST : GL_FASTEST;

    glViewport(X, Y, Width, Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const TGLVolume& v = Perspective ? FrustumVolume : OrthoVolume;
    if (Perspective)
        glFrustum(v.Left, v.Right, v.Bottom, v.Top, v.Near, v.Far);
    else
        glOrtho(v.Left, v.Right, v.Bottom, v.Top, v.Near, v.Far);
    // An index outside the table fills rather than sending an invalid mode.
    glPolygonMode(GL_FRONT_AND_BACK, PolygonMode < 3 ? polygonModes[PolygonMode] : GL_FILL);
    glShadeModel(ShadeModel == 0 ? GL_FLAT : GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, PerspectiveCorrection ? GL_NICEST : GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, quality);
    Switch(GL_POLYGON_SMOOTH, Smooth);
    glHint(GL_LINE_SMOOTH_HINT, quality);
    Switch(GL_LINE_SMOOTH, Smooth);
    glHint(GL_POINT_SMOOTH_HINT, quality);
    Switch(GL_POINT_SMOOTH, Smooth);
    Switch(GL_LIGHTING, Lighting);
    Switch(GL_DITHER, Dither);
    glMatrixMode(GL_MODELVIEW);
}
