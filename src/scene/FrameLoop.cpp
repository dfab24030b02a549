#include "scene/FrameLoop.h"

#include "geometry/AnimClasses.h"
#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/RenderStates.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLTexture.h"
#include "gl/TGLViewport.h"
#include "gl/TOpenGLEngine.h"
#include "platform/GLSurface.h"
#include "scene/UnderwaterScene.h"

TFrameLoop::TFrameLoop(TUnderwaterScene& Scene)
    : Drawing(Scene), FScene(Scene), FWidest(Scene.Surface, FMoreSurfaces) {}

void TFrameLoop::SetMoreSurfaces(std::vector<quillaby::platform::GLSurface*> Surfaces) {
    FMoreSurfaces = std::move(Surfaces);
    FScene.SetBirthArea(FMoreSurfaces.empty() ? nullptr : &FWidest);
}

Extended TFrameLoop::Now() {
    if (FFixedStep) return FFixedClock;
    return FScene.FrameClock->GetTime().AsSeconds();
}

void TFrameLoop::SetupOpenGL(quillaby::platform::GLSurface& Surface) {
    TOpenGLEngine& engine = *FScene.Engine;
    engine.SetDC(&Surface);
    engine.SetDefaults();
    engine.Init();
    engine.Activate();
    Drawing.ContextChanged();
    FScaled.ContextChanged();

    TGLViewport& viewport = *FScene.Viewport;
    viewport.PerspectiveCorrection = true;
    viewport.Lighting = true;
    viewport.Dither = true;
    viewport.ShadeModel = 1;  // smooth
    viewport.PolygonMode = 0; // fill

    TGLLight& light = *FScene.Light;
    light.SetAmbient(MakeColor(0, 0, 0, 1));
    light.SetDiffuse(FScene.Params.LightColour);
    light.SetSpecular(MakeColor(0, 0, 0, 1));
    light.SetNumber(0);
    light.SetLocalViewer(false);
    light.SetDirectional(true);
    light.SetDirection(MakeVector(0, -1, -1));
    light.SetPosition(MakeVector(0, 0, 0));

    TGLMaterial& material = *FScene.Material;
    material.SetAmbient(MakeColor(1, 1, 1, 1));
    material.SetDiffuse(MakeColor(1, 1, 1, 1));
    material.SetSpecular(MakeColor(1, 1, 1, 1));
    material.SetShininess(100);

    // Wherever blending is on, it is ordinary alpha blending.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void TFrameLoop::ResetScene() {
    SceneFps = 0;
    SceneFrames = 0;
    FFramesRendered = 0;
    FFixedClock = 0;
    LastFrameTime = Now();
    FrameTimeStep = 0;

    TUnderwaterScene& s = FScene;
    s.Bubbles->SetCount(s.Options.BubbleCount);
    for (int i = 0; i < PreRunSteps; ++i) s.Bubbles->Update(PreRunStep);

    const int notes = s.Options.DollarCount;
    s.Fishes->SetCount(notes);
    s.Immersion->SetCount(notes);
    s.Fountain->SetCount(notes);
    for (int i = 0; i < PreRunSteps; ++i) {
        s.Immersion->Update(PreRunStep);
        s.Fountain->Update(PreRunStep);
        s.Fishes->Update(PreRunStep);
    }
    s.WaveAnimations->Start(Now());
}

void TFrameLoop::Resume() {
    LastFrameTime = Now();
    SceneFrames = 0;
    if (TTimerPro* fpsClock = FScene.FpsClock.get()) {
        fpsClock->Stop();
        fpsClock->Start();
    }
}

void TFrameLoop::UpdateScene() {
    const Single dt = FrameTimeStep;
    Drawing.ScrollCaustics(dt);
    FScene.Bubbles->Update(dt);
    switch (FScene.ClampedTheme()) {
    case tiImmersion:
        FScene.Immersion->Update(dt);
        break;
    case tiFountain:
        FScene.Fountain->Update(dt);
        break;
    default:
        FScene.WaveAnimations->Update(Now());
        FScene.WavePrimitives->Items(0)->BuildNormals();
        FScene.Fishes->Update(dt);
        break;
    }
}

void TFrameLoop::RenderFrame() {
    TOpenGLEngine& engine = *FScene.Engine;
    UpdateScene();
    engine.CheckError();

    // With more surfaces the main one is presented last, once every view is drawn: the monitors
    // show each frame together, and on llvmpipe the frame came out about a tenth sooner so.
    const bool presentLast = !FMoreSurfaces.empty();
    DrawView(FScene.Surface, engine.DC(), presentLast ? nullptr : engine.DC(), true);
    if (presentLast) {
        for (quillaby::platform::GLSurface* surface : FMoreSurfaces) {
            // A window the context cannot draw on (another pixel format) is left out, not drawn over.
            if (!surface->MakeCurrent(engine.RC())) continue;
            DrawView(quillaby::scene::GLSurfaceSize(*surface), surface, surface, false);
        }
        if (engine.DC()) engine.DC()->MakeCurrent(engine.RC());
        engine.Swap(engine.DC());
        engine.CheckError();
    }

    ++SceneFrames;
    ++FFramesRendered;
    TTimerPro& fpsClock = *FScene.FpsClock;
    if (fpsClock.GetTime().AsSeconds() >= 1) {
        SceneFps = SceneFrames;
        if (FFrameRateHandler) FFrameRateHandler(SceneFps);
        fpsClock.Stop();
        fpsClock.Start();
        SceneFrames = 0;
    }
}

void TFrameLoop::DrawView(const quillaby::scene::SurfaceSize& Size, quillaby::platform::GLSurface* Surface,
                          quillaby::platform::GLSurface* Present, bool First) {
    TOpenGLEngine& engine = *FScene.Engine;
    // A surface the system scales up is drawn whole at its smaller size (asked first: the size
    // follows the answer). Scaled here, the scene fills the lower-left corner of the window at the
    // same aspect.
    const bool bySystem = Surface && Surface->LetSystemScale(FScaled.Percent());
    const int width = Size.Width();
    const int height = Size.Height();
    const bool scaled = !bySystem && FScaled.Scales(width, height);
    const int drawnWidth = scaled ? TScaledView::ScaledSide(width, FScaled.Percent()) : width;
    const int drawnHeight = scaled ? TScaledView::ScaledSide(height, FScaled.Percent()) : height;
    const TSceneParameters& p = FScene.Params;
    TGLViewport& viewport = *FScene.Viewport;
    viewport.SetBounds(Size.Left(), Size.Bottom(), drawnWidth, drawnHeight);
    // A minimised window has no height; keep the projection finite.
    viewport.SetPerspective(p.FieldOfView, height > 0 ? static_cast<double>(width) / height : 1.0, p.ViewNear,
                            p.ViewFar);
    viewport.Apply();
    engine.CheckError();

    EnableCulling();
    DisableStencilTest();
    const TGLColor& fog = FScene.Theme().FogColour;
    glClearColor(fog.R, fog.G, fog.B, fog.A);
    if (scaled) { // the rest of the window is drawn over by the scaled picture: not cleared
        glScissor(Size.Left(), Size.Bottom(), drawnWidth, drawnHeight);
        glEnable(GL_SCISSOR_TEST);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scaled) glDisable(GL_SCISSOR_TEST);
    SetAmbientLight(p.AmbientColour.R, p.AmbientColour.G, p.AmbientColour.B);
    engine.CheckError();

    // The camera sits at the origin looking along -z and never moves.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);

    Drawing.SetView(&Size);
    if (First) {
        FScene.SyncCounts();
        DrawScene();
    } else {
        DrawObjects();
    }
    Drawing.SetView(nullptr);
    engine.CheckError();
    if (scaled) {
        FScaled.Present(Size.Left(), Size.Bottom(), drawnWidth, drawnHeight, width, height);
        engine.CheckError();
    }

    if (First && FBeforePresent) FBeforePresent();
    engine.Swap(Present);
    engine.CheckError();
}

void TFrameLoop::DrawScene() {
    if (FFixedStep) FFixedClock += *FFixedStep;
    FrameTimeStep = static_cast<Single>(Now() - LastFrameTime);
    LastFrameTime = Now();
    DrawObjects();
}

void TFrameLoop::DrawObjects() {
    TUnderwaterScene& s = FScene;
    const TSceneTheme& theme = s.Theme();
    // With the environment in one opaque pass, the notes go first and the environment fills the
    // rest: the same picture, without texturing water and sand behind every note.
    const bool environmentLast = Drawing.UseCombinedLayers();
    if (!environmentLast) Drawing.DrawEnvironment(theme);
    switch (s.ClampedTheme()) {
    case tiImmersion:
        Drawing.DrawNotes(*s.NoteMesh, *s.NoteReflectionMesh, theme, *s.Immersion);
        break;
    case tiFountain:
        Drawing.DrawNotes(*s.NoteMesh, *s.NoteReflectionMesh, theme, *s.Fountain);
        break;
    default: {
        TGLPrimitive& wave = *s.WavePrimitives->Items(0);
        Drawing.DrawNotes(wave, wave, theme, *s.Fishes);
        break;
    }
    }
    if (environmentLast) Drawing.DrawEnvironment(theme);
    Drawing.DrawBubbles(theme);
}
