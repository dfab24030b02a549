#include "scene/ViewParticles.h"

#include <cmath>

#include "math/FastMath.h"
#include "math/PortableMath.h"

Single TViewParticles::HalfHeight(Single Z) const {
    if (FieldOfView != FTangentFieldOfView) {
        FTangentFieldOfView = FieldOfView;
        FTangent = static_cast<Single>(quillaby::portable::Tan(DegToRad(FieldOfView / 2)));
    }
    return std::fabs(FTangent * Z);
}

Single TViewParticles::HalfWidth(Single Z) const {
    return HalfHeight(Z) * Aspect();
}

Single TViewParticles::Aspect() const {
    if (FSurface == nullptr || FSurface->Height() <= 0 || FSurface->Width() <= 0) return 1;
    return static_cast<Single>(FSurface->Width()) / static_cast<Single>(FSurface->Height());
}
