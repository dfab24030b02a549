#include "scene/Fish.h"

#include <cmath>

#include "math/FastMath.h"
#include "math/PortableMath.h"
#include "scene/SceneParameters.h"
#include "scene/SceneRandom.h"

using quillaby::scene::Random;

void TFish::PlaceAtEdge(TGLVector& Point, Single Side) const {
    const Single h = HalfHeight(Point.Z);
    if (Point.Y > 0 && Point.Y > h)
        Point.Y = h;
    else if (Point.Y < -h)
        Point.Y = -h;
    Point.X = Side * (1 + HalfWidth(Point.Z));
}

void TFish::InitParticle(TParticle& P) {
    const Single r1 = static_cast<Single>(Random());
    const Single z0 = -(DepthNear + r1 * (DepthFar - DepthNear));
    const Single r2 = static_cast<Single>(Random());
    const Single v = SpeedLow + r2 * (SpeedHigh - SpeedLow);
    const Single y0 = HeightLow + Random() * (HeightHigh - HeightLow);

    TGLVector start{-1, y0, z0};
    PlaceAtEdge(start, -1);
    // The target lies half-way from the start depth towards the middle depth.
    const Single middle = -(DepthNear + (DepthFar - DepthNear) * 0.5f);
    TGLVector target{0, start.Y, middle - (middle - z0) * 0.5f};
    PlaceAtEdge(target, +1);
    if (std::fabs(start.Y) > std::fabs(target.Y)) start.Y = target.Y; // swim level

    const Single a =
        target.Z == start.Z
            ? 0
            : static_cast<Single>(quillaby::portable::Atan((target.Z - start.Z) / (target.X - start.X)));
    Single sinA, cosA;
    SinCos(a, sinA, cosA);
    P.Velocity = {v * cosA, 0, v * sinA};
    // The note's long side points along its path.
    P.Rotation = {0, -RadToDeg(a), 0};
    P.Spin = {0, 0, 0};

    // Born and dying wholly outside the view.
    start.X -= cosA * NoteMargin;
    start.Z -= sinA * NoteMargin;
    target.X += cosA * NoteMargin;
    target.Z += sinA * NoteMargin;
    P.Position = start;
    P.Age = 0;
    P.LifeTime = std::fabs(target.X - start.X) / (v * cosA);
    P.HasPrevious = false;
}
