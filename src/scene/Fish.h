#pragma once
// Banknotes swimming like fish from beyond the left edge of the view to beyond the right,
// drifting towards the middle depth on the way.
#include "scene/ViewParticles.h"

class TFish : public TViewParticles {
  public:
    using TViewParticles::TViewParticles;
    void InitParticle(TParticle& P) override;

    // Moves Point just outside the left (Side -1) or right (Side +1) edge of the view at its
    // depth, first pulling its height inside the view.
    void PlaceAtEdge(TGLVector& Point, Single Side) const;

    Single DepthNear = 0;
    Single SpeedHigh = 0; // swimming speed range, scene units per second
    Single DepthFar = 0;
    Single HeightLow = 0;
    Single SpeedLow = 0;
    Single HeightHigh = 0;
};
