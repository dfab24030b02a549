#include "scene/Particles.h"

#include <cstring>

TParticles::TParticles() {
    std::memset(Particles, 0, sizeof(Particles));
}

TParticles::~TParticles() {
    Clear();
}

void TParticles::SetCount(int n) {
    if (n > MaxParticles) n = MaxParticles;
    if (n < 0) n = 0;
    for (int i = Count; i < n; ++i) InitParticle(Particles[i]);
    Count = n;
}

void TParticles::Update(Single dt) {
    TimeStep = dt;
    if (UseGravity) GravityStep = Gravity * dt;
    for (int i = 0; i < Count; ++i) {
        TParticle& p = Particles[i];
        p.Age += dt;
        if (p.Age > p.LifeTime)
            InitParticle(p);
        else
            MoveParticle(p);
    }
}

void TParticles::InitParticle(TParticle&) {}

void TParticles::MoveParticle(TParticle& P) {
    if (KeepPrevious) {
        P.HasPrevious = true;
        P.PrevPosition = P.Position;
        P.PrevRotation = P.Rotation;
    }
    // Position/rotation and velocity/spin are two matching blocks of six values.
    const Single dt = TimeStep;
    P.Position.X += P.Velocity.X * dt;
    P.Position.Y += P.Velocity.Y * dt;
    P.Position.Z += P.Velocity.Z * dt;
    P.Rotation.X += P.Spin.X * dt;
    P.Rotation.Y += P.Spin.Y * dt;
    P.Rotation.Z += P.Spin.Z * dt;
    if (UseGravity) P.Velocity.Y -= GravityStep;
}
