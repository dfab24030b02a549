#include "scene/Immersion.h"

#include <algorithm>
#include <cmath>

#include "scene/SceneParameters.h"
#include "scene/SceneRandom.h"

using quillaby::scene::Random;

void TImmersion::InitParticle(TParticle& P) {
    const Single z = -(DepthMin + Random() * (DepthMax - DepthMin));
    const Single h = HalfHeight(z);
    const Single w = HalfWidth(z);
    // Born just above the view (or the surface) and dies just below it (or the sand).
    const Single top = std::min(h, TopY) + NoteMargin;
    const Single bottom = std::max(-h, BottomY) - NoteMargin;
    P.Position = {static_cast<Single>(Random() * 2 * w - w), top, z};
    // One number drives both speed and tumbling: faster notes tumble faster.
    const double s = Random();
    const Single vy = -(SpeedLow + s * (SpeedHigh - SpeedLow));
    P.Velocity = {0, vy, 0};
    const Single rx = static_cast<Single>(Random(180));
    const Single ry = static_cast<Single>(Random(30));
    const Single rz = static_cast<Single>(Random(30));
    P.Rotation = {rx, ry, rz};
    P.Spin = {static_cast<Single>(SpinLow + s * (SpinHigh - SpinLow)), 0, 0};
    P.Age = 0;
    P.LifeTime = std::fabs((std::fabs(top) + std::fabs(bottom)) / vy);
    P.HasPrevious = false;
}
