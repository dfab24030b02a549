#pragma once
// Banknotes sinking from above the view to below it, tumbling as they go.
#include "scene/ViewParticles.h"

class TImmersion : public TViewParticles {
  public:
    using TViewParticles::TViewParticles;
    void InitParticle(TParticle& P) override;

    Single SpinLow = 0; // tumbling speed range, degrees per second
    Single DepthMin = 0;
    Single SpeedHigh = 0; // sinking speed range, scene units per second
    Single SpeedLow = 0;
    Single SpinHigh = 0;
    Single DepthMax = 0;
    Single TopY = 0;    // the water surface
    Single BottomY = 0; // the sand
};
