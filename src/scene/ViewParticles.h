#pragma once
// A particle system that places its particles relative to the visible volume of the fixed
// camera: it knows the vertical field of view and reads the surface's size at every birth.
#include "scene/Particles.h"
#include "scene/SurfaceSize.h"

class TViewParticles : public TParticles {
  public:
    explicit TViewParticles(const quillaby::scene::SurfaceSize* Surface = nullptr) : FSurface(Surface) {}

    void SetSurface(const quillaby::scene::SurfaceSize* Surface) { FSurface = Surface; }

    // Half the height of the view at depth Z: |tan(FieldOfView / 2) * Z|.
    Single HalfHeight(Single Z) const;
    // Half the width of the view at depth Z: HalfHeight(Z) * width / height.
    Single HalfWidth(Single Z) const;
    // Width over height of the surface; 1 while there is no surface or it has no height
    // (a minimised window), so a birth never divides by zero.
    Single Aspect() const;

    Single FieldOfView = 0; // vertical, degrees

  private:
    const quillaby::scene::SurfaceSize* FSurface;
    // tan(FieldOfView / 2) and the field of view (degrees) it was taken for: births ask for it
    // thousands of times in the reset's pre-run, and the field of view rarely changes.
    mutable Single FTangentFieldOfView = 0;
    mutable Single FTangent = 0;
};
