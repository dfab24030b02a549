#pragma once
// The frame of the underwater scene: OpenGL set-up once per render surface, the reset at the start
// of each run with its long pre-run, then one RenderFrame per idle pass: update, projection, clear,
// camera, draw, present, and the frame-rate count.
#include <functional>
#include <optional>
#include <vector>

#include "math/Geometry.h"
#include "scene/ScaledView.h"
#include "scene/SceneDrawing.h"
#include "scene/SurfaceSize.h"

class TUnderwaterScene;
namespace quillaby::platform {
class GLSurface;
}

class TFrameLoop {
  public:
    explicit TFrameLoop(TUnderwaterScene& Scene);

    // Once per render surface: the scene's engine makes a context on it and makes it current, then
    // the viewport, light and material get their values.
    void SetupOpenGL(quillaby::platform::GLSurface& Surface);
    // At the start of each run: counters, clock readings and the pre-run of every particle system.
    void ResetScene();
    // One whole frame; Present is called where the buffers are to be swapped.
    void RenderFrame();
    // Advances the scene by the time step measured while drawing the previous frame.
    void UpdateScene();
    // Measures the next time step and draws the environment, the banknotes and the bubbles.
    void DrawScene();
    // The environment, the banknotes and the bubbles as they are now (no time step taken).
    void DrawObjects();

    // Reproducible runs: every frame advances the scene clock by exactly Step seconds instead of
    // the time the previous frame took. Call before ResetScene, which reads the clock.
    void UseFixedStep(double Step) { FFixedStep = Step; }
    // Called once a second with the frame rate of the last second (for a window title).
    void OnFrameRate(std::function<void(int)> Handler) { FFrameRateHandler = std::move(Handler); }
    // Called in every frame once everything is drawn, just before the buffers are swapped.
    void OnBeforePresent(std::function<void()> Handler) { FBeforePresent = std::move(Handler); }
    // After a pause in drawing (the window unseen, the monitor off): the pause does not count as a
    // frame's time, so the scene goes on where it stopped instead of jumping ahead, and the frame
    // rate counts only frames drawn.
    void Resume();
    // More surfaces that show the same scene, each through the main surface's context and with
    // its own size and aspect: drawn after the main one in every frame, the scene updated once,
    // the main one presented last. Particles are then born for the widest of them all.
    void SetMoreSurfaces(std::vector<quillaby::platform::GLSurface*> Surfaces);
    // Every view drawn at Percent (25 to 100) of each side and scaled up to its window, by the
    // system where its surface lets it scale, here otherwise; 100 draws at full size, call for call
    // as without it.
    void SetRenderScale(int Percent) { FScaled.SetPercent(Percent); }
    // Before the context goes, while it is current: the scaled views' texture is deleted.
    void ReleaseOpenGL() { FScaled.Release(); }
    // Frames rendered since the last ResetScene.
    int FramesRendered() const { return FFramesRendered; }

    // Number of pre-run steps and their length in seconds: 1250.25 s, longer than any lifetime.
    static constexpr int PreRunSteps = 5001;
    static constexpr Single PreRunStep = 0.25f;

    Single FrameTimeStep = 0;   // seconds between the two previous frames; the next update's step
    Extended LastFrameTime = 0; // scene clock at the previous frame, seconds (extended: runs last days)
    int SceneFrames = 0;        // frames since the last frame-rate sample
    int SceneFps = 0;           // frames counted in the last full second

    TSceneDrawing Drawing;

  private:
    // Projection, clear, camera, the scene and the present (a flush alone without Present), on
    // the current surface of that size: Surface (null: one not known), which may scale by itself.
    void DrawView(const quillaby::scene::SurfaceSize& Size, quillaby::platform::GLSurface* Surface,
                  quillaby::platform::GLSurface* Present, bool First);
    // The scene clock in seconds: the frame stopwatch, or the fixed-step clock.
    Extended Now();

    TUnderwaterScene& FScene;
    std::optional<double> FFixedStep;
    Extended FFixedClock = 0;
    std::function<void(int)> FFrameRateHandler;
    std::function<void()> FBeforePresent;
    std::vector<quillaby::platform::GLSurface*> FMoreSurfaces;
    quillaby::scene::WidestSurfaceSize FWidest;
    int FFramesRendered = 0;
    TScaledView FScaled;
};
