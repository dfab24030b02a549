#include "scene/UnderwaterScene.h"

#include <algorithm>

#include "geometry/AnimClasses.h"
#include "geometry/LoadMFL.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "gl/GLUtils.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTexture.h"
#include "gl/TGLTextureList.h"
#include "gl/TGLViewport.h"
#include "gl/TOpenGLEngine.h"
#include "scene/BubbleSound.h"

namespace {

// Drops the scene's reference on a shared item and forgets it.
template <typename T> void ReleaseItem(T*& Item) {
    if (Item != nullptr) Item->Release();
    Item = nullptr;
}

// Takes the scene's one reference on a freshly made item.
template <typename T> T* Hold(T* Item) {
    if (Item != nullptr) Item->AddRef();
    return Item;
}

TGLPrimitive* CopyOf(const TGLPrimitive& Source) {
    TGLPrimitive* copy = nullptr;
    Source.CopyTo(copy);
    return Hold(copy);
}

// A model the scene cannot do without.
TGLPrimitive* LoadMesh(const std::string& Name) {
    std::unique_ptr<TGLPrimitive> mesh = LoadPrimitive(Name);
    if (mesh == nullptr) throw quillaby::Error("Model " + Name + " has no object!");
    return Hold(mesh.release());
}

TGLTexture* RequireTexture(std::unique_ptr<TGLTexture> Texture, const std::string& Name) {
    if (Texture == nullptr) throw quillaby::Error("Image " + Name + " is not a texture!");
    return Hold(Texture.release());
}

} // namespace

TUnderwaterScene::TUnderwaterScene(TSceneOptions& Options, const quillaby::scene::SurfaceSize& Surface,
                                   quillaby::platform::Clock& Clock)
    : Options(Options), Surface(Surface), FClock(Clock) {}

TUnderwaterScene::~TUnderwaterScene() {
    DestroyScene();
}

void TUnderwaterScene::SetSceneDefaults() {
    ::SetSceneDefaults(Params, Themes);
}

void TUnderwaterScene::CreateScene() {
    DestroyScene();
    FCreated = true; // from here on DestroyScene frees whatever was built, also after a failure
    FpsClock = std::make_unique<TTimerPro>(FClock);
    FpsClock->Start();
    FrameClock = std::make_unique<TTimerPro>(FClock);
    FrameClock->Start();

    Engine = std::make_unique<TOpenGLEngine>();
    Viewport = std::make_unique<TGLViewport>();
    Light = std::make_unique<TGLLight>();
    Material = Hold(new TGLMaterial());

    CreateMeshes();
    CreateTextures();

    // The temporary lists receive the animation's materials and textures, which the scene never uses.
    WaveAnimations = std::make_unique<TAnimationList>();
    WavePrimitives = std::make_unique<TGLPrimitiveList>();
    {
        TGLTextureList textures;
        TGLMaterialList materials;
        LoadMFL(Params.WaveAnimationName, textures, materials, *WaveAnimations, *WavePrimitives);
    }
    if (WavePrimitives->Count() == 0)
        throw quillaby::Error("Animation " + Params.WaveAnimationName + " has no model!");

    CreateParticleSystems();
}

void TUnderwaterScene::CreateMeshes() {
    NoteMesh = LoadMesh(Params.NoteMeshName);
    // The shimmer pass maps its texture four times across the note.
    NoteReflectionMesh = CopyOf(*NoteMesh);
    static constexpr TGLTextureCoord Corners[4] = {{0, 0}, {0, 4}, {4, 4}, {4, 0}};
    TGLTextureCoordDArray& coords = NoteReflectionMesh->TexCoords;
    coords.SetCount(NoteReflectionMesh->Vertices.Count());
    for (int i = 0; i < coords.Count(); ++i) coords.SetItem(i, Corners[i % 4]);

    BubbleMesh = LoadMesh(Params.BubbleMeshName);

    BottomMesh = LoadMesh(Params.BottomMeshName);
    BottomCausticsMesh = CopyOf(*BottomMesh);
    BottomFadeMesh = CopyOf(*BottomMesh);
    BottomFadeMesh->Colors.SetCount(BottomFadeMesh->Vertices.Count());

    // The surface is the bottom turned upside down, so its faces look down at the camera.
    SurfaceMesh = CopyOf(*BottomMesh);
    SurfaceMesh->RotateZ(180);
    SurfaceMesh->BuildNormals();
    SurfaceCausticsMesh = CopyOf(*SurfaceMesh);
    SurfaceFadeMesh = CopyOf(*SurfaceMesh);
    SurfaceFadeMesh->Colors.SetCount(SurfaceFadeMesh->Vertices.Count());

    // A unit quad facing the camera; DrawEnvironment rewrites its corners and colours every frame.
    BackWall = Hold(new TGLPrimitive());
    const Single vertices[] = {-1, 1, 0, -1, -1, 0, 1, -1, 0, 1, 1, 0};
    BackWall->Vertices.SetFromArray(vertices);
    const int32_t indices[] = {0, 1, 2, 0, 2, 3};
    BackWall->Indices.SetFromArray(indices);
    const Single coordinates[] = {0, 0, 0, 1, 1, 1, 1, 0};
    BackWall->TexCoords.SetFromArray(coordinates);
    BackWall->Normals.SetCount(1);
    BackWall->Normals.SetVector(0, 0, 1, 0);
    BackWall->Colors.SetCount(4);
}

void TUnderwaterScene::CreateTextures() {
    NoteTexture = RequireTexture(LoadTexture(Params.NoteTextureName), Params.NoteTextureName);
    ReflectionTexture =
        RequireTexture(LoadTexture(Params.ReflectionTextureName), Params.ReflectionTextureName);
    BubbleTexture = RequireTexture(LoadTextureWithAlpha(Params.BubbleTextureName, Params.BubbleAlphaName),
                                   Params.BubbleTextureName);
    for (TSceneTheme& theme : Themes) {
        theme.BottomTexture = RequireTexture(LoadTexture(theme.BottomTextureName), theme.BottomTextureName);
        theme.SurfaceTexture =
            RequireTexture(LoadTexture(theme.SurfaceTextureName), theme.SurfaceTextureName);
        theme.CausticsTexture =
            RequireTexture(LoadTexture(theme.CausticsTextureName), theme.CausticsTextureName);
    }
}

void TUnderwaterScene::CreateParticleSystems() {
    const TSceneParameters& p = Params;
    Bubbles = std::make_unique<TBubles>(FBirthArea ? FBirthArea : &Surface);
    Bubbles->DepthMin = p.BubbleDepthMin;
    Bubbles->SpeedHigh = p.BubbleSpeedMax;
    Bubbles->SpeedLow = p.BubbleSpeedMin;
    Bubbles->DepthMax = p.BubbleDepthMax;
    Bubbles->TopY = p.SurfaceY;
    Bubbles->StartY = p.BottomY;
    Bubbles->FieldOfView = p.FieldOfView;

    Fountain = std::make_unique<TFountain>(FBirthArea ? FBirthArea : &Surface);
    Fountain->SpinLow = p.FountainSpinMin;
    Fountain->SpeedHigh = p.FountainSpeedMax;
    Fountain->FieldOfView = p.FieldOfView;
    Fountain->Spread = p.FountainSpread;
    Fountain->Depth = p.FountainDepth;
    Fountain->SpeedLow = p.FountainSpeed;
    Fountain->SpinHigh = p.FountainSpinMax;
    Fountain->Gravity = p.FountainGravity;
    Fountain->UseGravity = true;

    Immersion = std::make_unique<TImmersion>(FBirthArea ? FBirthArea : &Surface);
    Immersion->SpinLow = p.ImmersionSpinMin;
    Immersion->DepthMin = p.ImmersionDepthMin;
    Immersion->SpeedHigh = p.ImmersionSpeedMax;
    Immersion->SpeedLow = p.ImmersionSpeedMin;
    Immersion->SpinHigh = p.ImmersionSpinMax;
    Immersion->DepthMax = p.ImmersionDepthMax;
    Immersion->TopY = p.SurfaceY;
    Immersion->BottomY = p.BottomY;
    Immersion->FieldOfView = p.FieldOfView;

    Fishes = std::make_unique<TFish>(FBirthArea ? FBirthArea : &Surface);
    Fishes->DepthNear = p.FishDepthNear;
    Fishes->SpeedHigh = p.FishSpeedMax;
    Fishes->FieldOfView = p.FieldOfView;
    Fishes->DepthFar = p.FishDepthFar;
    Fishes->HeightLow = p.FishHeightLow;
    Fishes->SpeedLow = p.FishSpeedMin;
    Fishes->HeightHigh = p.FishHeightHigh;
}

void TUnderwaterScene::SetBirthArea(const quillaby::scene::SurfaceSize* Area) {
    FBirthArea = Area;
    const quillaby::scene::SurfaceSize* area = Area ? Area : &Surface;
    for (TViewParticles* system :
         {static_cast<TViewParticles*>(Bubbles.get()), static_cast<TViewParticles*>(Fountain.get()),
          static_cast<TViewParticles*>(Immersion.get()), static_cast<TViewParticles*>(Fishes.get())})
        if (system) system->SetSurface(area);
}

void TUnderwaterScene::DestroyScene() {
    if (!FCreated) return;
    FCreated = false;
    Fishes.reset();
    Immersion.reset();
    Bubbles.reset();
    Fountain.reset();
    FpsClock.reset();
    FrameClock.reset();
    // The animations point into the primitives: they go first.
    WaveAnimations.reset();
    WavePrimitives.reset();
    if (FSound != nullptr) FSound->StopSound();
    // The textures delete their names in the context that made them, not in whichever is current.
    if (Engine) Engine->MakeCurrent();
    for (TGLPrimitive** mesh :
         {&NoteMesh, &NoteReflectionMesh, &BubbleMesh, &BottomMesh, &BottomCausticsMesh, &BottomFadeMesh,
          &SurfaceMesh, &SurfaceCausticsMesh, &SurfaceFadeMesh, &BackWall})
        ReleaseItem(*mesh);
    ReleaseItem(NoteTexture);
    ReleaseItem(BubbleTexture);
    ReleaseItem(ReflectionTexture);
    for (TSceneTheme& theme : Themes) {
        ReleaseItem(theme.CausticsTexture);
        ReleaseItem(theme.BottomTexture);
        ReleaseItem(theme.SurfaceTexture);
    }
    ReleaseItem(Material);
    Light.reset();
    Viewport.reset();
    Engine.reset();
}

void TUnderwaterScene::SyncCounts() {
    const int notes = Options.DollarCount;
    for (TParticles* system :
         {static_cast<TParticles*>(Fishes.get()), static_cast<TParticles*>(Immersion.get()),
          static_cast<TParticles*>(Fountain.get())})
        if (system->Count != notes) system->SetCount(notes);
    if (Bubbles->Count != Options.BubbleCount) Bubbles->SetCount(Options.BubbleCount);
}

int TUnderwaterScene::ClampedTheme() const {
    return std::clamp(Options.ThemeIndex, 0, ThemeCount - 1);
}

TViewParticles& TUnderwaterScene::NoteSystem() {
    switch (ClampedTheme()) {
    case tiImmersion:
        return *Immersion;
    case tiFountain:
        return *Fountain;
    default:
        return *Fishes;
    }
}
