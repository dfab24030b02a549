// The scene as the frame loop drives it: counts that follow the options, the reset's pre-run, the
// time step, and the OpenGL calls of the drawing (against the recording table, no driver).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/LoadSettings.h"
#include "geometry/TGLPrimitive.h"
#include "gl/RecordingGL.h"
#include "gl/TOpenGLEngine.h"
#include "scene/FrameLoop.h"
#include "scene/SceneRandom.h"
#include "scene/UnderwaterScene.h"
#include "support/FakeGLSurface.h"

using quillaby::gl::GLRecorder;
using quillaby::scene::FixedSurfaceSize;

namespace {

// A millisecond counter the test moves by hand.
class ManualClock : public quillaby::platform::Clock {
  public:
    uint32_t Milliseconds() override { return Now; }
    bool QueryMinPeriod(uint32_t& minPeriod) override {
        minPeriod = 1;
        return true;
    }
    bool BeginPeriod(uint32_t) override { return true; }
    void EndPeriod(uint32_t) override {}
    uint32_t Now = 1000;
};

class SceneFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadSettings().LoadFromResources = true;
        quillaby::scene::SeedRandom(2024);
        Scene.SetSceneDefaults();
        Scene.CreateScene();
    }

    std::vector<TParticle> Live(const TParticles& system) {
        return std::vector<TParticle>(system.Particles, system.Particles + system.Count);
    }

    GLRecorder Recorder;                     // installed first, so nothing below reaches a driver
    gltest::FakeGLSurface Window{&Recorder}; // the engine's surface where a test gives it one
    ManualClock Clock;
    TSceneOptions Options;
    FixedSurfaceSize Surface{640, 480};
    TUnderwaterScene Scene{Options, Surface, Clock};
    TFrameLoop Loop{Scene};
};

TEST_F(SceneFrameTest, CountsFollowTheOptionsInEveryNoteSystem) {
    Scene.SyncCounts();
    EXPECT_EQ(Scene.Bubbles->Count, 100);
    EXPECT_EQ(Scene.Immersion->Count, 60);
    EXPECT_EQ(Scene.Fountain->Count, 60);
    EXPECT_EQ(Scene.Fishes->Count, 60);

    // Lowering keeps the first notes as they are; raising again re-births the others.
    const std::vector<TParticle> before = Live(*Scene.Immersion);
    Options.DollarCount = 20;
    Options.BubbleCount = 0;
    Scene.SyncCounts();
    EXPECT_EQ(Scene.Fishes->Count, 20);
    EXPECT_EQ(Scene.Bubbles->Count, 0);
    Options.DollarCount = 60;
    Scene.SyncCounts();
    const std::vector<TParticle> after = Live(*Scene.Immersion);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(after[i].Position.X, before[i].Position.X) << "note " << i;
    int reborn = 0;
    for (int i = 20; i < 60; ++i) reborn += after[i].Position.X != before[i].Position.X;
    EXPECT_EQ(reborn, 40);
}

TEST_F(SceneFrameTest, TheResetSpreadsParticlesAndTheFirstUpdateMovesNothing) {
    Loop.ResetScene();
    const std::vector<TParticle> bubbles = Live(*Scene.Bubbles);
    const std::vector<TParticle> notes = Live(*Scene.Immersion);
    ASSERT_EQ(bubbles.size(), 100u);
    // After 1250 s of pre-run the bubbles are at all heights, not all on the sand.
    const auto [low, high] = std::minmax_element(
        bubbles.begin(), bubbles.end(), [](auto& a, auto& b) { return a.Position.Y < b.Position.Y; });
    EXPECT_GT(high->Position.Y - low->Position.Y, 2000);
    EXPECT_EQ(Loop.FrameTimeStep, 0);

    Clock.Now += 500; // time passes, but the first update uses the step measured while drawing
    Loop.UpdateScene();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Scene.Bubbles->Particles[i].Position.Y, bubbles[i].Position.Y);
    for (int i = 0; i < 60; ++i) EXPECT_EQ(Scene.Immersion->Particles[i].Position.Y, notes[i].Position.Y);
}

TEST_F(SceneFrameTest, TheStepMeasuredWhileDrawingDrivesTheNextUpdate) {
    Loop.ResetScene();
    Clock.Now += 2000; // a frame that took two seconds
    Loop.DrawScene();
    EXPECT_FLOAT_EQ(Loop.FrameTimeStep, 2);

    const std::vector<TParticle> before = Live(*Scene.Immersion);
    Loop.UpdateScene();
    int reborn = 0, moved = 0;
    for (int i = 0; i < 60; ++i) {
        const TParticle& was = before[i];
        const TParticle& now = Scene.Immersion->Particles[i];
        if (was.Age + 2 > was.LifeTime) {
            EXPECT_EQ(now.Age, 0) << "note " << i << " outlived its life but was not re-born";
            EXPECT_GT(now.Position.Y, was.Position.Y); // back above the view
            ++reborn;
        } else {
            EXPECT_NEAR(now.Position.Y, was.Position.Y + was.Velocity.Y * 2, 0.05);
            ++moved;
        }
    }
    EXPECT_EQ(reborn + moved, 60);
}

TEST_F(SceneFrameTest, BanknotesAreDrawnInTwoPassesWithTheShimmerOnlyWhereTheFirstWrote) {
    Loop.ResetScene();
    Recorder.clear();
    Loop.Drawing.DrawNotes(*Scene.NoteMesh, *Scene.NoteReflectionMesh, Scene.Theme(), *Scene.Immersion);
    const std::string text = Recorder.text();
    EXPECT_EQ(Recorder.count("glPushMatrix"), 120);
    EXPECT_EQ(Recorder.count("glRotatef"), 360);
    EXPECT_NE(text.find("glDepthFunc(GL_LEQUAL)"), std::string::npos);
    const size_t equal = text.find("glDepthFunc(GL_EQUAL)");
    ASSERT_NE(equal, std::string::npos);
    EXPECT_NE(text.find("glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP)", equal), std::string::npos);
    EXPECT_NE(text.find("glDisable(GL_TEXTURE_GEN_T)", equal), std::string::npos);
    EXPECT_NE(text.find("glMaterialfv(GL_FRONT, GL_DIFFUSE, {1, 1, 1, 0.2})", equal), std::string::npos);
}

TEST_F(SceneFrameTest, ReflectionAlphaZeroLeavesOutTheSecondPass) {
    Scene.Params.ReflectionAlpha = 0;
    Loop.ResetScene();
    Recorder.clear();
    Loop.Drawing.DrawNotes(*Scene.NoteMesh, *Scene.NoteReflectionMesh, Scene.Theme(), *Scene.Immersion);
    EXPECT_EQ(Recorder.count("glPushMatrix"), 60);
    EXPECT_EQ(Recorder.count("glTexGeni"), 0);
    EXPECT_EQ(Recorder.text().find("GL_EQUAL"), std::string::npos);
}

TEST_F(SceneFrameTest, WithoutBanknotesTheLightIsStillSwitchedOn) {
    Options.DollarCount = 0;
    Loop.ResetScene();
    Recorder.clear();
    Loop.DrawScene();
    EXPECT_TRUE(Recorder.enabled(GL_LIGHT0));
    EXPECT_EQ(Recorder.count("glRotatef"), 0);
    // The environment and the bubbles are still there.
    EXPECT_EQ(Recorder.count("glDrawElements") + Recorder.count("glDrawArrays"), 7 + 100);
}

TEST_F(SceneFrameTest, TheBackWallSpansTheViewAtTheFarDistance) {
    Loop.ResetScene();
    Loop.Drawing.DrawEnvironment(Scene.Theme());
    const TGLPrimitive& wall = *Scene.BackWall;
    const Single h = std::tan(37.5f * 3.14159265f / 180) * 10000;
    const Single w = h * 4 / 3;
    EXPECT_NEAR(wall.Vertices.GetItem(0).X, -w, 0.5);
    EXPECT_NEAR(wall.Vertices.GetItem(2).X, w, 0.5);
    EXPECT_EQ(wall.Vertices.GetItem(0).Y, 5000);
    EXPECT_EQ(wall.Vertices.GetItem(1).Y, -3000);
    // A hair nearer than the far plane, so it is never clipped.
    EXPECT_LT(wall.Vertices.GetItem(0).Z, -9980);
    EXPECT_GT(wall.Vertices.GetItem(0).Z, -10000);
    EXPECT_EQ(wall.Colors.GetItem(0).B, Scene.Theme().SurfaceColour.B);
    EXPECT_EQ(wall.Colors.GetItem(1).B, Scene.Theme().BottomColour.B);
}

TEST_F(SceneFrameTest, CausticsLayersDriftInDifferentDirections) {
    const TGLTextureCoord surface = Scene.SurfaceCausticsMesh->TexCoords.GetItem(0);
    const TGLTextureCoord bottom = Scene.BottomCausticsMesh->TexCoords.GetItem(0);
    Loop.Drawing.ScrollCaustics(2);
    EXPECT_NEAR(Scene.SurfaceCausticsMesh->TexCoords.GetItem(0).U, surface.U - 0.2f, 1e-4);
    EXPECT_NEAR(Scene.SurfaceCausticsMesh->TexCoords.GetItem(0).V, surface.V + 0.2f, 1e-4);
    EXPECT_NEAR(Scene.BottomCausticsMesh->TexCoords.GetItem(0).U, bottom.U + 0.2f, 1e-4);
    EXPECT_NEAR(Scene.BottomCausticsMesh->TexCoords.GetItem(0).V, bottom.V + 0.2f, 1e-4);
}

TEST_F(SceneFrameTest, ZeroCausticsAlphaSkipsTheLayerButStillCutsItsColours) {
    Scene.Params.SurfaceCausticsAlpha = 0;
    Loop.ResetScene();
    Recorder.clear();
    Loop.Drawing.DrawEnvironment(Scene.Theme());
    EXPECT_EQ(Scene.SurfaceCausticsMesh->Colors.Count(), 1);
    EXPECT_EQ(Scene.SurfaceCausticsMesh->Colors.GetItem(0).A, 0);
    // Surface, bottom, bottom caustics, two fade layers and the wall.
    EXPECT_EQ(Recorder.count("glDrawElements") + Recorder.count("glDrawArrays"), 6);
}

TEST_F(SceneFrameTest, FewerPassesDrawSurfaceAndSandOnceEachAndHandUnitZeroBack) {
    Options.FewerPasses = true;
    Loop.ResetScene();
    Recorder.setIntegers(GL_MAX_TEXTURE_UNITS, {2}); // too few: the layers one by one
    Loop.Drawing.ContextChanged();
    Loop.Drawing.DrawEnvironment(Scene.Theme());
    EXPECT_FALSE(Loop.Drawing.DrewCombinedLayers());
    EXPECT_EQ(Recorder.count("glDrawElements") + Recorder.count("glDrawArrays"), 7);

    Recorder.setIntegers(GL_MAX_TEXTURE_UNITS, {8});
    Loop.Drawing.ContextChanged();
    Recorder.clear();
    Loop.Drawing.DrawEnvironment(Scene.Theme());
    ASSERT_TRUE(Loop.Drawing.DrewCombinedLayers());
    // Surface, sand, back wall; nothing blended.
    EXPECT_EQ(Recorder.count("glDrawElements") + Recorder.count("glDrawArrays"), 3);
    EXPECT_FALSE(Recorder.enabled(GL_BLEND));
    const std::vector<std::string>& calls = Recorder.calls();
    auto last = [&](const std::string& prefix) {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->rfind(prefix, 0) == 0) return *it;
        return std::string();
    };
    EXPECT_EQ(last("glActiveTexture("), "glActiveTexture(GL_TEXTURE0)");
    EXPECT_EQ(last("glClientActiveTexture("), "glClientActiveTexture(GL_TEXTURE0)");
    EXPECT_EQ(last("glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE"),
              "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)");
    // The caustics' alpha of each layer goes into its stage as a constant.
    const std::string text = Recorder.text();
    EXPECT_NE(text.find("glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, {1, 1, 1, 0.65})"),
              std::string::npos);
    EXPECT_NE(text.find("glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, {1, 1, 1, 0.35})"),
              std::string::npos);
    EXPECT_EQ(Scene.SurfaceCausticsMesh->Colors.Count(), 1);
}

TEST_F(SceneFrameTest, AFrameRunsInItsOrderAndCountsTheFrameRateOnceASecond) {
    std::vector<int> rates;
    Loop.OnFrameRate([&rates](int fps) { rates.push_back(fps); });
    Loop.ResetScene();
    Recorder.clear();
    Loop.RenderFrame();
    const std::string text = Recorder.text();
    const size_t clear = text.find("glClear(");
    const size_t look = text.find("gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0)");
    const size_t flush = text.find("glFlush()");
    ASSERT_NE(clear, std::string::npos);
    EXPECT_LT(text.find("glFrustum"), clear);
    EXPECT_LT(clear, look);
    EXPECT_LT(look, text.find("glDrawElements"));
    EXPECT_LT(text.rfind("glDrawElements"), flush);

    for (int i = 0; i < 9; ++i) {
        Clock.Now += 100;
        Loop.RenderFrame();
    }
    EXPECT_TRUE(rates.empty());
    Clock.Now += 100;
    Loop.RenderFrame();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates[0], 11);
    EXPECT_EQ(Loop.SceneFps, 11);
    EXPECT_EQ(Loop.SceneFrames, 0);
}

TEST_F(SceneFrameTest, MoreSurfacesShowTheSameFrameEachWithItsOwnSizeAndAspect) {
    Surface.Resize(480, 480);
    Scene.Engine->SetDC(&Window);
    gltest::FakeGLSurface other(&Recorder); // 64 x 48
    Loop.SetMoreSurfaces({&other});
    // Particles are born for the wider view, so that they come in from its edges too.
    EXPECT_NEAR(Scene.Fishes->Aspect(), 4.0 / 3, 1e-4);
    Loop.ResetScene();
    Clock.Now += 100;
    Loop.RenderFrame(); // the first update moves nothing; this frame's step is 0.1 s
    const std::vector<TParticle> before = Live(*Scene.Bubbles);
    Recorder.clear();
    Clock.Now += 100;
    Loop.RenderFrame();
    const std::string text = Recorder.text();
    const size_t mainView = text.find("glViewport(0, 0, 480, 480)");
    const size_t current = text.find("Surface.MakeCurrent");
    const size_t view = text.find("glViewport(0, 0, 64, 48)");
    const size_t swap = text.find("Surface.SwapBuffers");
    ASSERT_NE(mainView, std::string::npos) << text.substr(0, 400);
    EXPECT_LT(mainView, current);
    EXPECT_LT(current, view);
    // Both show the frame together: nothing is presented before every view is drawn, and the main
    // surface, current again, comes last.
    EXPECT_LT(view, swap);
    EXPECT_LT(text.rfind("Surface.MakeCurrent"), text.rfind("Surface.SwapBuffers"));
    EXPECT_NE(text.find("Surface.SwapBuffers", swap + 1), std::string::npos);
    // Each projection has its own view's aspect: 1:1, then 4:3.
    std::vector<double> aspects;
    for (size_t at = text.find("glFrustum("); at != std::string::npos; at = text.find("glFrustum(", at + 1)) {
        double left = 0, right = 0, bottom = 0, top = 0;
        ASSERT_EQ(
            std::sscanf(text.c_str() + at, "glFrustum(%lf, %lf, %lf, %lf", &left, &right, &bottom, &top), 4);
        aspects.push_back(right / top);
    }
    ASSERT_EQ(aspects.size(), 2u);
    EXPECT_NEAR(aspects[0], 1.0, 1e-3);
    EXPECT_NEAR(aspects[1], 4.0 / 3, 1e-3);
    // So does the back wall (the last drawn: 4:3).
    const Single h = std::tan(37.5f * 3.14159265f / 180) * 10000;
    EXPECT_NEAR(Scene.BackWall->Vertices.GetItem(2).X, h * 4 / 3, 0.5);
    // Updated once, by one step measured once: a second measurement would read 0.
    EXPECT_NEAR(Loop.FrameTimeStep, 0.1, 1e-4);
    std::vector<TParticle> after = Live(*Scene.Bubbles);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NEAR(after[0].Age - before[0].Age, 0.1, 1e-4);
}

// A surface the system scales up (a compositor's viewport): its drawable shrinks to the share asked.
class SelfScalingSurface : public gltest::FakeGLSurface {
  public:
    using FakeGLSurface::FakeGLSurface;
    bool LetSystemScale(int percent) override { return (Percent = percent) < 100; }
    int DrawableWidth() const override { return 64 * Percent / 100; }
    int DrawableHeight() const override { return 48 * Percent / 100; }
    int Percent = 100;
};

TEST_F(SceneFrameTest, AViewTheSystemScalesIsDrawnWholeAtItsShareAndTheOthersAreScaledUpHere) {
    Recorder.setIntegers(GL_MAX_TEXTURE_SIZE, {4096});
    Scene.Engine->SetDC(&Window); // 640 x 480 as the scene sees it; scales nothing itself
    SelfScalingSurface other(&Recorder);
    Loop.SetMoreSurfaces({&other});
    Loop.SetRenderScale(50);
    Loop.ResetScene();
    Recorder.clear();
    Loop.RenderFrame();
    const std::string text = Recorder.text();
    EXPECT_EQ(other.Percent, 50);
    // The main view is drawn into the corner and copied once to be laid over the whole window; the
    // other is drawn on the whole of its smaller drawable, with nothing copied or laid over after it.
    EXPECT_EQ(Recorder.count("glCopyTexSubImage2D"), 1);
    const size_t view = text.find("glViewport(0, 0, 32, 24)");
    ASSERT_NE(view, std::string::npos) << text.substr(0, 400);
    EXPECT_LT(text.find("glCopyTexSubImage2D"), view);
    EXPECT_EQ(text.find("glViewport", view + 1), std::string::npos);

    Loop.SetRenderScale(100); // the system is told, and the view is drawn at its full size
    Recorder.clear();
    Loop.RenderFrame();
    EXPECT_EQ(other.Percent, 100);
    EXPECT_NE(Recorder.text().find("glViewport(0, 0, 64, 48)"), std::string::npos);
}

TEST_F(SceneFrameTest, AnOpenGLErrorEndsTheFrameWithItsMessage) {
    Loop.ResetScene();
    Recorder.queueError(GL_STACK_OVERFLOW);
    try {
        Loop.RenderFrame();
        FAIL() << "the pending error was not raised";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "OpenGL error: Stack overflow!");
    }
}

TEST_F(SceneFrameTest, FishesSwimTheWavingMeshWithRebuiltNormals) {
    Options.ThemeIndex = 2;
    Loop.ResetScene();
    TGLPrimitive& wave = *Scene.WavePrimitives->Items(0);
    const auto pose = [&wave] {
        const TGLVector* v = wave.Vertices.Items();
        return std::vector<Single>(&v->X, &v->X + 3 * wave.Vertices.Count());
    };
    Loop.UpdateScene();
    const std::vector<Single> before = pose();
    Clock.Now += 300;
    Loop.DrawScene(); // measures the 0.3 s step
    Loop.UpdateScene();
    const std::vector<Single> after = pose();
    ASSERT_EQ(after.size(), before.size());
    Single moved = 0;
    for (size_t i = 0; i < after.size(); ++i) moved = std::max(moved, std::fabs(after[i] - before[i]));
    EXPECT_GT(moved, 1) << "the mesh did not wave";

    // The normals are those of the new pose, not left from the previous one.
    const TGLVector* normals = wave.Normals.Items();
    const std::vector<TGLVector> kept(normals, normals + wave.Normals.Count());
    wave.BuildNormals();
    ASSERT_EQ(wave.Normals.Count(), wave.Vertices.Count());
    for (int i = 0; i < wave.Normals.Count(); ++i) {
        EXPECT_EQ(wave.Normals.GetItem(i).X, kept[i].X) << "normal " << i;
        EXPECT_EQ(wave.Normals.GetItem(i).Y, kept[i].Y) << "normal " << i;
        EXPECT_EQ(wave.Normals.GetItem(i).Z, kept[i].Z) << "normal " << i;
    }
}

TEST_F(SceneFrameTest, DestroyingTheSceneFreesItAndItCanBeBuiltAgain) {
    Scene.DestroyScene();
    EXPECT_FALSE(Scene.Created());
    EXPECT_EQ(Scene.NoteMesh, nullptr);
    EXPECT_EQ(Scene.Themes[0].CausticsTexture, nullptr);
    Scene.CreateScene();
    EXPECT_TRUE(Scene.Created());
    EXPECT_NE(Scene.Themes[2].SurfaceTexture, nullptr);
}

} // namespace

namespace {

TEST_F(SceneFrameTest, SetUpLightShinesDownAndAwayAtFourTenthsOnTheNotes) {
    gltest::FakeGLSurface surface;
    surface.chosen.ColorBits = 32;
    surface.chosen.DepthBits = 24;
    Loop.SetupOpenGL(surface);
    GLRecorder frame; // the set-up reached the real driver's table; the frame is recorded again
    Loop.ResetScene();
    Loop.DrawScene();
    const std::string text = frame.text();
    EXPECT_NE(text.find("glLightfv(GL_LIGHT0, GL_DIFFUSE, {0.4, 0.4, 0.4, 1})"), std::string::npos);
    // Directional: the position is the negated direction (-1, -1, -1) with w = 0.
    EXPECT_NE(text.find("glLightfv(GL_LIGHT0, GL_POSITION, {1, 1, 1, 0})"), std::string::npos);
    EXPECT_NE(text.find("glMaterialf(GL_FRONT, GL_SHININESS, 100)"), std::string::npos);
    EXPECT_TRUE(frame.enabled(GL_LIGHT0));
    Scene.DestroyScene(); // the context goes with the engine while the surface still exists
}

} // namespace
