// How the four particle behaviours place, launch and retire their particles.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Bubles.h"
#include "scene/Fish.h"
#include "scene/Fountain.h"
#include "scene/Immersion.h"
#include "scene/SceneParameters.h"
#include "scene/SceneRandom.h"

using quillaby::scene::FixedSurfaceSize;
using quillaby::scene::SeedRandom;
using quillaby::scene::UniformRandom;

namespace {

constexpr Single Tan37_5 = 0.76732699f; // tan(75 / 2 degrees)

class BehaviourTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetSceneDefaults(Params, Themes);
        SeedRandom(1234);
    }

    void SetUpBubbles(TBubles& b) {
        b.SetSurface(&Surface);
        b.DepthMin = Params.BubbleDepthMin;
        b.DepthMax = Params.BubbleDepthMax;
        b.SpeedLow = Params.BubbleSpeedMin;
        b.SpeedHigh = Params.BubbleSpeedMax;
        b.TopY = Params.SurfaceY;
        b.StartY = Params.BottomY;
        b.FieldOfView = Params.FieldOfView;
    }

    TSceneParameters Params;
    TSceneThemes Themes;
    FixedSurfaceSize Surface{640, 480};
};

void SetUpImmersion(TImmersion& s, const TSceneParameters& p) {
    s.SpinLow = p.ImmersionSpinMin;
    s.SpinHigh = p.ImmersionSpinMax;
    s.DepthMin = p.ImmersionDepthMin;
    s.DepthMax = p.ImmersionDepthMax;
    s.SpeedLow = p.ImmersionSpeedMin;
    s.SpeedHigh = p.ImmersionSpeedMax;
    s.TopY = p.SurfaceY;
    s.BottomY = p.BottomY;
    s.FieldOfView = p.FieldOfView;
}

void SetUpFountain(TFountain& s, const TSceneParameters& p) {
    s.SpinLow = p.FountainSpinMin;
    s.SpinHigh = p.FountainSpinMax;
    s.SpeedHigh = p.FountainSpeedMax;
    s.SpeedLow = p.FountainSpeed;
    s.Spread = p.FountainSpread;
    s.Depth = p.FountainDepth;
    s.FieldOfView = p.FieldOfView;
    s.Gravity = p.FountainGravity;
    s.UseGravity = true;
}

void SetUpFish(TFish& s, const TSceneParameters& p) {
    s.DepthNear = p.FishDepthNear;
    s.DepthFar = p.FishDepthFar;
    s.HeightLow = p.FishHeightLow;
    s.HeightHigh = p.FishHeightHigh;
    s.SpeedLow = p.FishSpeedMin;
    s.SpeedHigh = p.FishSpeedMax;
    s.FieldOfView = p.FieldOfView;
}

TEST_F(BehaviourTest, DefaultsDeriveTheFountainGravity) {
    EXPECT_FLOAT_EQ(Params.FountainGravity, 32);
}

TEST_F(BehaviourTest, BubbleAt1200RisesFromTheSandToTheTopEdgeOfTheView) {
    TBubles b;
    SetUpBubbles(b);
    b.DepthMin = b.DepthMax = 1200;
    const Single h = Tan37_5 * 1200; // about 920.8
    const Single w = h * 4 / 3;      // about 1227.7
    b.SetCount(200);
    for (int i = 0; i < b.Count; ++i) {
        const TParticle& p = b.Particles[i];
        EXPECT_FLOAT_EQ(p.Position.Z, -1200);
        EXPECT_FLOAT_EQ(p.Position.Y, -3000);
        EXPECT_GE(p.Position.X, -w - 0.01f);
        EXPECT_LT(p.Position.X, w + 0.01f);
        EXPECT_GE(p.Velocity.Y, 100);
        EXPECT_LT(p.Velocity.Y, 500);
        EXPECT_EQ(p.Velocity.X, 0);
        EXPECT_EQ(p.Spin.X, 0);
        EXPECT_EQ(p.Age, 0);
        EXPECT_NEAR(p.LifeTime, (3000 + h) / p.Velocity.Y, 1e-3);
    }
}

TEST_F(BehaviourTest, DeepBubbleStopsAtTheSurfaceNotTheViewEdge) {
    TBubles b;
    SetUpBubbles(b);
    b.DepthMin = b.DepthMax = 7000; // the view reaches about 5371 above the camera there
    b.SetCount(1);
    const TParticle& p = b.Particles[0];
    EXPECT_NEAR(p.LifeTime, (3000 + 5000) / p.Velocity.Y, 1e-3);
}

TEST_F(BehaviourTest, BubbleDrawsDepthPlaceSpeedInThatOrder) {
    TBubles b;
    SetUpBubbles(b);
    SeedRandom(77);
    b.SetCount(1);
    UniformRandom same(77);
    const Single z = -(1200 + same.Next() * 5800);
    const Single w = Tan37_5 * -z * 4 / 3;
    const Single x = same.Next() * 2 * w - w;
    const Single speed = 100 + same.Next() * 400;
    const TParticle& p = b.Particles[0];
    EXPECT_FLOAT_EQ(p.Position.Z, z);
    EXPECT_NEAR(p.Position.X, x, 0.05);
    EXPECT_FLOAT_EQ(p.Velocity.Y, speed);
    // The next birth continues the same sequence.
    EXPECT_EQ(quillaby::scene::Random(), same.Next());
}

TEST_F(BehaviourTest, SinkingNoteDrawsDepthPlaceSpeedAndTurnsInThatOrder) {
    TImmersion s(&Surface);
    SetUpImmersion(s, Params);
    SeedRandom(78);
    s.SetCount(1);
    UniformRandom same(78);
    const Single z = -(1200 + same.Next() * 5800);
    const Single h = Tan37_5 * -z;
    const Single w = h * 4 / 3;
    const Single x = same.Next() * 2 * w - w;
    const double speed = same.Next();
    const TParticle& p = s.Particles[0];
    EXPECT_FLOAT_EQ(p.Position.Z, z);
    EXPECT_NEAR(p.Position.X, x, 0.05);
    EXPECT_NEAR(p.Position.Y, std::min(h, 5000.0f) + NoteMargin, 0.01);
    EXPECT_FLOAT_EQ(p.Velocity.Y, -(100 + speed * 300));
    EXPECT_FLOAT_EQ(p.Spin.X, 40 + speed * 40);
    EXPECT_EQ(p.Rotation.X, same.NextBelow(180));
    EXPECT_EQ(p.Rotation.Y, same.NextBelow(30));
    EXPECT_EQ(p.Rotation.Z, same.NextBelow(30));
    EXPECT_EQ(quillaby::scene::Random(), same.Next());
}

TEST_F(BehaviourTest, FountainNoteDrawsSpeedThenSidewaysDriftThenTurns) {
    TFountain s(&Surface);
    SetUpFountain(s, Params);
    SeedRandom(79);
    s.SetCount(1);
    UniformRandom same(79);
    const double speed = same.Next();
    const Single vy = 280 + speed * 400; // not 400 + speed * 280
    const Single life = 2 * vy / 32;
    const TParticle& p = s.Particles[0];
    EXPECT_FLOAT_EQ(p.Velocity.Y, vy);
    EXPECT_FLOAT_EQ(p.LifeTime, life);
    EXPECT_NEAR(p.Velocity.X, (same.Next() - 0.5) * 10000 / life, 1e-3);
    EXPECT_NEAR(p.Velocity.Z, (same.Next() - 0.5) * 10000 / life, 1e-3);
    EXPECT_FLOAT_EQ(p.Spin.X, 40 + speed * 40);
    EXPECT_EQ(p.Rotation.X, same.NextBelow(180));
    EXPECT_EQ(p.Rotation.Y, same.NextBelow(30));
    EXPECT_EQ(p.Rotation.Z, same.NextBelow(30));
    EXPECT_EQ(p.Position.X, 0);
    EXPECT_FLOAT_EQ(p.Position.Z, -2500);
    EXPECT_EQ(quillaby::scene::Random(), same.Next());
}

TEST_F(BehaviourTest, FishDrawsDepthSpeedHeightInThatOrder) {
    TFish s(&Surface);
    SetUpFish(s, Params);
    SeedRandom(80);
    s.SetCount(1);
    UniformRandom same(80);
    const Single z0 = -(Params.FishDepthNear +
                        static_cast<Single>(same.Next()) * (Params.FishDepthFar - Params.FishDepthNear));
    const Single v =
        Params.FishSpeedMin + static_cast<Single>(same.Next()) * (Params.FishSpeedMax - Params.FishSpeedMin);
    const Single y0 = Params.FishHeightLow + same.Next() * (Params.FishHeightHigh - Params.FishHeightLow);
    const TParticle& p = s.Particles[0];
    EXPECT_NEAR(std::hypot(p.Velocity.X, p.Velocity.Z), v, 1e-3);
    // Before the pull-back by the margin the note starts at the drawn depth, at the drawn height
    // unless that lies outside the view at either end of its path.
    const Single a = -p.Rotation.Y * 3.14159265f / 180;
    EXPECT_NEAR(p.Position.Z + std::sin(a) * NoteMargin, z0, 0.05);
    EXPECT_LE(std::fabs(p.Position.Y), std::fabs(y0) + 0.01f);
    if (std::fabs(y0) < s.HalfHeight(z0) * 0.5f) {
        EXPECT_FLOAT_EQ(p.Position.Y, y0);
    }
    EXPECT_EQ(quillaby::scene::Random(), same.Next());
}

TEST_F(BehaviourTest, SinkingNotesStartAboveTheViewAndDieBelowIt) {
    TImmersion s(&Surface);
    SetUpImmersion(s, Params);
    s.SetCount(200);
    for (int i = 0; i < s.Count; ++i) {
        const TParticle& p = s.Particles[i];
        const Single h = Tan37_5 * -p.Position.Z;
        const Single top = std::min(h, 5000.0f) + NoteMargin;
        const Single bottom = std::max(-h, -3000.0f) - NoteMargin;
        EXPECT_NEAR(p.Position.Y, top, 0.01);
        EXPECT_LE(-p.Velocity.Y, 400);
        EXPECT_GE(-p.Velocity.Y, 100);
        // Faster notes tumble faster: speed and spin come from the same number.
        EXPECT_NEAR((-p.Velocity.Y - 100) / 300, (p.Spin.X - 40) / 40, 1e-4);
        EXPECT_EQ(p.Rotation.X, std::floor(p.Rotation.X));
        EXPECT_LT(p.Rotation.X, 180);
        EXPECT_LT(p.Rotation.Y, 30);
        EXPECT_LT(p.Rotation.Z, 30);
        // It dies exactly when it has sunk to the bottom edge.
        EXPECT_NEAR(p.Position.Y + p.Velocity.Y * p.LifeTime, bottom, 0.5);
    }
}

TEST_F(BehaviourTest, DeepSinkingNoteStartsAboveTheSurface) {
    TImmersion s(&Surface);
    SetUpImmersion(s, Params);
    s.DepthMin = s.DepthMax = 7000;
    s.SetCount(1);
    EXPECT_FLOAT_EQ(s.Particles[0].Position.Y, 5000 + NoteMargin);
}

TEST_F(BehaviourTest, FountainNoteOf400LivesTwentyFiveSecondsAndPeaks2500Higher) {
    TFountain s(&Surface);
    SetUpFountain(s, Params);
    s.SpeedHigh = 400; // every launch at exactly 400 upwards
    s.SpeedLow = 0;
    s.SetCount(1);
    TParticle& p = s.Particles[0];
    ASSERT_FLOAT_EQ(p.Velocity.Y, 400);
    EXPECT_FLOAT_EQ(p.LifeTime, 25);
    const Single startY = p.Position.Y;
    EXPECT_NEAR(startY, -Tan37_5 * 2500, 0.01);
    Single peak = startY;
    for (int i = 0; i < 2499; ++i) {
        s.Update(0.01f);
        peak = std::max(peak, p.Position.Y);
    }
    EXPECT_NEAR(peak - startY, 2500, 5);
    EXPECT_NEAR(p.Position.Y, startY, 20); // back at the start height just before it dies
}

TEST_F(BehaviourTest, FountainNotesLandWithinHalfTheSpreadOfTheCentre) {
    TFountain s(&Surface);
    SetUpFountain(s, Params);
    s.SetCount(200);
    for (int i = 0; i < s.Count; ++i) {
        const TParticle& p = s.Particles[i];
        EXPECT_GE(p.Velocity.Y, 280);
        EXPECT_LT(p.Velocity.Y, 680);
        EXPECT_NEAR(p.LifeTime, 2 * p.Velocity.Y / 32, 1e-4);
        EXPECT_LE(std::fabs(p.Velocity.X * p.LifeTime), 5000);
        EXPECT_LE(std::fabs(p.Velocity.Z * p.LifeTime), 5000);
        EXPECT_NEAR((p.Velocity.Y - 280) / 400, (p.Spin.X - 40) / 40, 1e-4);
    }
}

TEST_F(BehaviourTest, FountainWithoutGravityLivesFiveSeconds) {
    TFountain s(&Surface);
    SetUpFountain(s, Params);
    s.Gravity = 0;
    s.SetCount(3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Particles[i].LifeTime, 5);
}

TEST_F(BehaviourTest, FishSwimFromBeyondTheLeftEdgeToBeyondTheRight) {
    TFish s(&Surface);
    SetUpFish(s, Params);
    s.SetCount(200);
    for (int i = 0; i < s.Count; ++i) {
        const TParticle& p = s.Particles[i];
        const TGLVector end{p.Position.X + p.Velocity.X * p.LifeTime, p.Position.Y,
                            p.Position.Z + p.Velocity.Z * p.LifeTime};
        EXPECT_LT(p.Position.X, -s.HalfWidth(p.Position.Z));
        EXPECT_GT(end.X, s.HalfWidth(end.Z));
        EXPECT_LE(std::fabs(p.Position.Y), std::max(s.HalfHeight(p.Position.Z), 5000.0f));
        EXPECT_EQ(p.Velocity.Y, 0);
        const Single speed = std::hypot(p.Velocity.X, p.Velocity.Z);
        EXPECT_GE(speed, 199.9f);
        EXPECT_LT(speed, 500.1f);
        // The long side points along the path.
        const Single heading = std::atan2(p.Velocity.Z, p.Velocity.X) * 180 / 3.14159265f;
        EXPECT_NEAR(p.Rotation.Y, -heading, 1e-3);
    }
}

TEST_F(BehaviourTest, FishAtOneDepthSwimsAlongXOnly) {
    TFish s(&Surface);
    SetUpFish(s, Params);
    s.DepthNear = s.DepthFar = 3000;
    s.SetCount(10);
    for (int i = 0; i < s.Count; ++i) {
        const TParticle& p = s.Particles[i];
        EXPECT_EQ(p.Velocity.Z, 0);
        EXPECT_EQ(p.Rotation.Y, 0);
        EXPECT_GT(p.Velocity.X, 0);
        const Single w = s.HalfWidth(-3000);
        EXPECT_NEAR(p.Position.X, -(1 + w) - NoteMargin, 0.01);
        EXPECT_NEAR(p.LifeTime * p.Velocity.X, 2 * (1 + w + NoteMargin), 0.1);
    }
}

TEST_F(BehaviourTest, PlaceAtEdgePullsTheHeightIntoTheView) {
    TFish s(&Surface);
    SetUpFish(s, Params);
    const Single h = Tan37_5 * 1000;
    TGLVector high{0, 5000, -1000};
    s.PlaceAtEdge(high, +1);
    EXPECT_NEAR(high.Y, h, 0.01);
    EXPECT_NEAR(high.X, 1 + h * 4 / 3, 0.01);
    TGLVector low{0, -5000, -1000};
    s.PlaceAtEdge(low, -1);
    EXPECT_NEAR(low.Y, -h, 0.01);
    EXPECT_NEAR(low.X, -(1 + h * 4 / 3), 0.01);
    TGLVector inside{0, 100, -1000};
    s.PlaceAtEdge(inside, -1);
    EXPECT_EQ(inside.Y, 100);
}

TEST_F(BehaviourTest, ASurfaceWithoutHeightCountsAsSquare) {
    FixedSurfaceSize minimised(800, 0);
    TBubles b;
    SetUpBubbles(b);
    b.SetSurface(&minimised);
    EXPECT_EQ(b.Aspect(), 1);
    b.SetCount(50);
    for (int i = 0; i < b.Count; ++i) EXPECT_TRUE(std::isfinite(b.Particles[i].Position.X));
}

} // namespace
