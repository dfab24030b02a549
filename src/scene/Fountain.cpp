#include "scene/Fountain.h"

#include <cmath>

#include "math/FastMath.h"
#include "math/PortableMath.h"
#include "scene/SceneRandom.h"

using quillaby::scene::Random;

void TFountain::InitParticle(TParticle& P) {
    const Single z = -Depth;
    // The lower edge of the view at that depth.
    const Single y = static_cast<Single>(quillaby::portable::Tan(DegToRad(FieldOfView / 2))) * z;
    const double s = Random();
    const Single vy = (SpeedHigh - SpeedLow) + s * SpeedLow;
    // Up and back down to the start height.
    P.LifeTime = Gravity > 0 ? 2 * std::fabs(vy / Gravity) : 5;
    const Single vx = (Random() - 0.5) * Spread / P.LifeTime;
    const Single vz = (Random() - 0.5) * Spread / P.LifeTime;
    P.Position = {0, y, z};
    P.Velocity = {vx, vy, vz};
    const Single rx = static_cast<Single>(Random(180));
    const Single ry = static_cast<Single>(Random(30));
    const Single rz = static_cast<Single>(Random(30));
    P.Rotation = {rx, ry, rz};
    P.Spin = {static_cast<Single>(SpinLow + s * (SpinHigh - SpinLow)), 0, 0};
    P.Age = 0;
    P.HasPrevious = false;
}
