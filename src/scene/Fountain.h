#pragma once
// Banknotes thrown up from the lower edge of the view and falling back under gravity.
#include "scene/ViewParticles.h"

class TFountain : public TViewParticles {
  public:
    using TViewParticles::TViewParticles;
    void InitParticle(TParticle& P) override;

    Single SpinLow = 0;   // tumbling speed range, degrees per second
    Single SpeedHigh = 0; // launch speeds lie in [SpeedHigh - SpeedLow, SpeedHigh)
    Single Spread = 0;    // horizontal spread of the landing points, scene units
    Single Depth = 0;     // distance of the fountain in front of the camera
    Single SpeedLow = 0;
    Single SpinHigh = 0;
};
