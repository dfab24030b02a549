#include "scene/DepthFade.h"

#include <cmath>

namespace {

Single FadeComponent(Single Near, Single Far, Single F) {
    const Single c = Near + (Far - Near) * F;
    if (c > 1) return 1;
    if (c < 0.001f) return 0;
    return c;
}

} // namespace

void ApplyDepthFade(const TGLVectorDArray& Vertices, TGLColorDArray& Colors, const TGLColor& Near,
                    const TGLColor& Far, Single Start, Single End) {
    const int n = Vertices.Count();
    if (Colors.Count() != n || std::fabs(Start - End) < 0.01f) return;
    const TGLVector* v = Vertices.Items();
    TGLColor* c = Colors.Items();
    const bool deeperIsLower = Start >= End; // depths grow towards -z
    for (int i = 0; i < n; ++i) {
        const Single z = v[i].Z;
        const bool nearSide = deeperIsLower ? z > Start : z < Start;
        const bool farSide = deeperIsLower ? z <= End : z >= End;
        if (nearSide) {
            c[i] = Near;
        } else if (farSide) {
            c[i] = Far;
        } else {
            const Single f = std::fabs((z - Start) / (End - Start));
            c[i] = {FadeComponent(Near.R, Far.R, f), FadeComponent(Near.G, Far.G, f),
                    FadeComponent(Near.B, Far.B, f), FadeComponent(Near.A, Far.A, f)};
        }
    }
}

void ScrollTextureCoords(TGLTextureCoordDArray& Coords, Single DU, Single DV) {
    TGLTextureCoord* c = Coords.Items();
    for (int i = 0, n = Coords.Count(); i < n; ++i) {
        c[i].U += DU;
        c[i].V += DV;
    }
}
