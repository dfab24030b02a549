#include "scene/Bubles.h"

#include <algorithm>
#include <cmath>

#include "scene/SceneRandom.h"

using quillaby::scene::Random;

void TBubles::InitParticle(TParticle& P) {
    const Single z = -(DepthMin + Random() * (DepthMax - DepthMin));
    const Single h = HalfHeight(z);
    const Single w = HalfWidth(z);
    const Single x = Random() * 2 * w - w;
    const Single speed = SpeedLow + Random() * (SpeedHigh - SpeedLow);
    P.Position = {x, StartY, z};
    P.Rotation = {0, 0, 0};
    P.Velocity = {0, speed, 0};
    P.Spin = {0, 0, 0};
    P.HasPrevious = false;
    P.Age = 0;
    // Time to rise from the sand to the top edge of the view or to the surface, whichever is lower.
    P.LifeTime = std::fabs((std::fabs(StartY) + std::min(h, TopY)) / speed);
}
