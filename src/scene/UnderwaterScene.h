#pragma once
// Everything the underwater scene is made of: parameters and theme records, the clocks, light,
// material and viewport, the meshes and textures, the waving-banknote animation and the four
// particle systems. Built once per program run (CreateScene), freed when the host closes.
#include <memory>

#include "scene/Bubles.h"
#include "scene/Fish.h"
#include "scene/Fountain.h"
#include "scene/Immersion.h"
#include "scene/SceneOptions.h"
#include "scene/SceneParameters.h"
#include "scene/SurfaceSize.h"
#include "timing/TimePro.h"

class TOpenGLEngine;
class TGLViewport;
class TGLLight;
class TGLMaterial;
class TGLPrimitive;
class TGLPrimitiveList;
class TGLTexture;
class TAnimationList;

namespace quillaby {
class BubbleSound;
}

class TUnderwaterScene {
  public:
    // The options and the surface must outlive the scene; the clock drives both stopwatches.
    TUnderwaterScene(TSceneOptions& Options, const quillaby::scene::SurfaceSize& Surface,
                     quillaby::platform::Clock& Clock = quillaby::platform::SystemClock());
    ~TUnderwaterScene();
    TUnderwaterScene(const TUnderwaterScene&) = delete;
    TUnderwaterScene& operator=(const TUnderwaterScene&) = delete;

    // Fills the parameter table and the theme records with their defaults.
    void SetSceneDefaults();
    // Builds every scene object; loading failures propagate.
    void CreateScene();
    // Frees what CreateScene built (also run by the destructor); stops the sound if one is attached.
    void DestroyScene();
    bool Created() const { return FCreated; }
    // Makes the particle counts follow the options.
    void SyncCounts();

    // The particle system of the current theme: Immersion, Fountain or Fishes.
    TViewParticles& NoteSystem();
    const TSceneTheme& Theme() const { return Themes[ClampedTheme()]; }
    int ClampedTheme() const;

    // Where particles are born: the scene's own surface while Area is null. One scene shown in
    // several views of different aspects gives the widest, so that every view sees them come in
    // from its own edges. Area must outlive its use.
    void SetBirthArea(const quillaby::scene::SurfaceSize* Area);

    // The sound DestroyScene stops; none while the scene is silent.
    void AttachSound(quillaby::BubbleSound* Sound) { FSound = Sound; }

    TSceneOptions& Options;
    const quillaby::scene::SurfaceSize& Surface;

    TSceneParameters Params;
    TSceneThemes Themes;

    std::unique_ptr<TTimerPro> FpsClock;
    std::unique_ptr<TTimerPro> FrameClock;
    std::unique_ptr<TOpenGLEngine> Engine;
    std::unique_ptr<TGLViewport> Viewport;
    std::unique_ptr<TGLLight> Light;
    TGLMaterial* Material = nullptr; // reference-counted; the scene holds one reference

    // Meshes (reference-counted; the scene holds one reference on each).
    TGLPrimitive* NoteMesh = nullptr;
    TGLPrimitive* NoteReflectionMesh = nullptr;
    TGLPrimitive* BubbleMesh = nullptr;
    TGLPrimitive* BottomMesh = nullptr;
    TGLPrimitive* BottomCausticsMesh = nullptr;
    TGLPrimitive* BottomFadeMesh = nullptr;
    TGLPrimitive* SurfaceMesh = nullptr;
    TGLPrimitive* SurfaceCausticsMesh = nullptr;
    TGLPrimitive* SurfaceFadeMesh = nullptr;
    TGLPrimitive* BackWall = nullptr;

    TGLTexture* NoteTexture = nullptr;
    TGLTexture* ReflectionTexture = nullptr;
    TGLTexture* BubbleTexture = nullptr;

    // The waving banknote: item 0 of the primitive list is the mesh of the Fishes theme.
    std::unique_ptr<TAnimationList> WaveAnimations;
    std::unique_ptr<TGLPrimitiveList> WavePrimitives;

    std::unique_ptr<TBubles> Bubbles;
    std::unique_ptr<TFountain> Fountain;
    std::unique_ptr<TImmersion> Immersion;
    std::unique_ptr<TFish> Fishes;

  private:
    void CreateMeshes();
    void CreateTextures();
    void CreateParticleSystems();

    quillaby::platform::Clock& FClock;
    quillaby::BubbleSound* FSound = nullptr;
    const quillaby::scene::SurfaceSize* FBirthArea = nullptr;
    bool FCreated = false;
};
