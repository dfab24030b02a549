#include <gtest/gtest.h>

#include <vector>

#include "scene/Particles.h"

namespace {

// Records which records are born, and gives each birth a known state.
class CountingParticles : public TParticles {
  public:
    std::vector<int> births;
    Single lifeTime = 10;

    void InitParticle(TParticle& p) override {
        births.push_back(static_cast<int>(&p - Particles));
        p.Age = 0;
        p.LifeTime = lifeTime;
        p.Position = {1, 2, 3};
        p.Rotation = {0, 0, 0};
        p.Velocity = {4, 8, -2};
        p.Spin = {90, 0, -45};
        p.HasPrevious = false;
    }
};

TEST(ParticleCount, SetCountIsCappedAndBirthsOnlyNewRecordsInAscendingOrder) {
    CountingParticles ps;
    ps.SetCount(3);
    EXPECT_EQ(ps.births, (std::vector<int>{0, 1, 2}));
    ps.births.clear();
    ps.SetCount(250);
    EXPECT_EQ(ps.Count, TParticles::MaxParticles);
    ASSERT_EQ(ps.births.size(), 197u);
    EXPECT_EQ(ps.births.front(), 3);
    EXPECT_EQ(ps.births.back(), 199);
}

TEST(ParticleCount, LoweringKeepsThePoolAndRaisingBirthsAgain) {
    CountingParticles ps;
    ps.SetCount(5);
    ps.Update(0.5f);
    ps.births.clear();
    ps.SetCount(0);
    EXPECT_EQ(ps.Count, 0);
    EXPECT_EQ(ps.Particles[2].Position.X, 1 + 4 * 0.5f); // untouched while not live
    ps.Update(1.0f);                                     // nothing is live: nothing moves
    EXPECT_EQ(ps.Particles[2].Position.X, 3.0f);
    ps.SetCount(5);
    EXPECT_EQ(ps.births, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ps.Particles[2].Position.X, 1.0f);
    ps.births.clear();
    ps.SetCount(-7); // treated as 0
    EXPECT_EQ(ps.Count, 0);
    EXPECT_TRUE(ps.births.empty());
    ps.Clear();
    EXPECT_EQ(ps.Count, 0);
}

TEST(ParticleMove, GravityIsAppliedAfterTheMoveWithTheOldVelocity) {
    CountingParticles ps;
    ps.UseGravity = true;
    ps.Gravity = 32;
    ps.SetCount(1);
    ps.Update(0.25f);
    const TParticle& p = ps.Particles[0];
    EXPECT_EQ(ps.GravityStep, 8.0f);
    EXPECT_EQ(p.Position.Y, 2 + 8 * 0.25f); // old velocity
    EXPECT_EQ(p.Velocity.Y, 0.0f);          // dropped by 8
    EXPECT_EQ(p.Position.X, 1 + 4 * 0.25f);
    EXPECT_EQ(p.Rotation.X, 22.5f);
    EXPECT_EQ(p.Rotation.Z, -11.25f);
    ps.Update(0.25f);
    EXPECT_EQ(p.Position.Y, 4.0f); // velocity 0 this step
    EXPECT_EQ(p.Velocity.Y, -8.0f);
}

TEST(ParticleMove, WithoutGravityVelocityStaysAndRotationIsNotWrapped) {
    CountingParticles ps;
    ps.Gravity = 32; // ignored while UseGravity is off
    ps.SetCount(1);
    for (int i = 0; i < 10; ++i) ps.Update(1.0f);
    EXPECT_EQ(ps.Particles[0].Velocity.Y, 8.0f);
    EXPECT_EQ(ps.Particles[0].Rotation.X, 900.0f);
    EXPECT_EQ(ps.GravityStep, 0.0f);
}

TEST(ParticleMove, KeepPreviousSavesTheStateBeforeEachMove) {
    CountingParticles ps;
    ps.KeepPrevious = true;
    ps.SetCount(1);
    EXPECT_FALSE(ps.Particles[0].HasPrevious);
    ps.Update(1.0f);
    const TParticle& p = ps.Particles[0];
    EXPECT_TRUE(p.HasPrevious);
    EXPECT_EQ(p.PrevPosition.X, 1.0f);
    EXPECT_EQ(p.PrevRotation.X, 0.0f);
    EXPECT_EQ(p.Position.X, 5.0f);
    ps.Update(1.0f);
    EXPECT_EQ(p.PrevPosition.X, 5.0f);
    EXPECT_EQ(p.PrevRotation.X, 90.0f);
}

TEST(ParticleLife, AgeEqualToLifeTimeStillMovesAndIsRebornNextStep) {
    CountingParticles ps;
    ps.lifeTime = 1.0f;
    ps.SetCount(1);
    ps.births.clear();
    ps.Update(0.5f);
    ps.Update(0.5f); // Age == LifeTime: still moves
    EXPECT_TRUE(ps.births.empty());
    EXPECT_EQ(ps.Particles[0].Position.X, 1 + 4 * 1.0f);
    ps.Update(0.5f); // now past its life: born, not moved
    EXPECT_EQ(ps.births, std::vector<int>{0});
    EXPECT_EQ(ps.Particles[0].Position.X, 1.0f);
    EXPECT_EQ(ps.Particles[0].Age, 0.0f);
}

TEST(ParticleLife, ZeroStepMovesNothingAndOnlyRebirthsExpiredParticles) {
    CountingParticles ps;
    ps.lifeTime = 1.0f;
    ps.SetCount(2);
    ps.Particles[1].Age = 1.5f; // already expired
    ps.births.clear();
    ps.Update(0.0f);
    EXPECT_EQ(ps.births, std::vector<int>{1});
    EXPECT_EQ(ps.Particles[0].Position.X, 1.0f);
    EXPECT_EQ(ps.TimeStep, 0.0f);
}

TEST(ParticleLife, BaseBirthDoesNothing) {
    TParticles ps;
    ps.SetCount(4);
    EXPECT_EQ(ps.Count, 4);
    EXPECT_EQ(ps.Particles[3].LifeTime, 0.0f);
    ps.Particles[0].Velocity = {1, 0, 0};
    ps.Particles[0].LifeTime = 5;
    ps.Update(1.0f);
    EXPECT_EQ(ps.Particles[0].Position.X, 1.0f);
}

} // namespace
