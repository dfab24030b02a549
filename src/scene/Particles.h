#pragma once
// A fixed pool of particles advanced by a time step; descendants decide how a
// particle is born. Every moving thing in the water is one of these particles.
#include "math/Geometry.h"

struct TParticle {
    TGLVector Position;     // scene units; y is up
    TGLVector Rotation;     // degrees
    TGLVector Velocity;     // scene units per second
    TGLVector Spin;         // degrees per second
    TGLVector PrevPosition; // before the last move (only with KeepPrevious)
    TGLVector PrevRotation;
    bool HasPrevious;
    Single Age;      // seconds since birth
    Single LifeTime; // seconds after which the particle is born again
};

class TParticles {
  public:
    static constexpr int MaxParticles = 200;

    TParticles();
    virtual ~TParticles();
    TParticles(const TParticles&) = delete;
    TParticles& operator=(const TParticles&) = delete;

    // Values above MaxParticles are cut to it; negative values count as 0. Raising the
    // count births the records from the old Count upwards; lowering only lowers Count.
    void SetCount(int n);
    // Ages every live particle by dt seconds, re-births expired ones and moves the rest.
    void Update(Single dt);
    void Clear() { Count = 0; }

    virtual void InitParticle(TParticle& P);
    virtual void MoveParticle(TParticle& P);

    int Count = 0;
    Single Gravity = 0; // scene units per second squared, downwards
    bool KeepPrevious = false;
    bool UseGravity = false;
    Single TimeStep = 0;    // seconds, of the last Update
    Single GravityStep = 0; // Gravity * TimeStep
    TParticle Particles[MaxParticles];
};
