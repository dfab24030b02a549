#pragma once
// Bubbles rising from the sand at a random depth and place across the view.
#include "scene/ViewParticles.h"

class TBubles : public TViewParticles {
  public:
    using TViewParticles::TViewParticles;
    void InitParticle(TParticle& P) override;

    Single DepthMin = 0;  // scene units in front of the camera
    Single SpeedHigh = 0; // rising speed range, scene units per second
    Single SpeedLow = 0;
    Single DepthMax = 0;
    Single TopY = 0;   // the water surface
    Single StartY = 0; // the sand
};
