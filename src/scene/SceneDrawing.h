#pragma once
#include <vector>

#include "geometry/TGLPrimitive.h"
#include "math/Geometry.h"
#include "scene/SurfaceSize.h"
// Draws one frame of the underwater scene once the buffers are cleared and the camera placed:
// the environment (surface, sand, their caustics, the depth fade and the back wall), the banknotes
// in two passes and the bubbles; and scrolls the caustics.
class TUnderwaterScene;
class TParticles;
struct TSceneTheme;

class TSceneDrawing {
  public:
    explicit TSceneDrawing(TUnderwaterScene& Scene) : FScene(Scene) {}

    // Drifts the two caustics layers by dt seconds, in different directions.
    void ScrollCaustics(float dt);
    // The layers one by one; or, when the options ask for fewer passes and the context can, the
    // surface and the sand each in one opaque pass with the same picture. That one pass fills only
    // the pixels nothing has been drawn on since the depth buffer was cleared, so the notes' first
    // passes (opaque) may come before it.
    void DrawEnvironment(const TSceneTheme& Theme);
    // Whether DrawEnvironment draws the surface and the sand in one pass each.
    bool UseCombinedLayers();
    // A new context: whether it can draw fewer passes is asked again when first needed.
    void ContextChanged() { FCombinedChecked = false; }
    // True when the last DrawEnvironment drew each of surface and sand in one pass.
    bool DrewCombinedLayers() const { return FDrewCombined; }
    // How many notes the last DrawNotes drew with their shimmer in their first pass.
    int OnePassNoteCount() const { return static_cast<int>(FOnePassNotes.size()); }
    // Each live particle of System drawn with Mesh, lit and textured, then with ReflectionMesh as a
    // sphere-mapped shimmer over exactly the pixels the first pass wrote. With fewer passes, the
    // notes whose lighting allows it get the same shimmer in their first pass.
    void DrawNotes(TGLPrimitive& Mesh, TGLPrimitive& ReflectionMesh, const TSceneTheme& Theme,
                   const TParticles& System);
    void DrawBubbles(const TSceneTheme& Theme);
    // The size of the view being drawn, when it is not the scene's own surface (null: that one).
    void SetView(const quillaby::scene::SurfaceSize* View) { FView = View; }

    // How much nearer than the far clipping plane the back wall stands, as a fraction of the
    // far distance, so that rounding never clips it away.
    static constexpr float BackWallInset = 0.001f;

  private:
    void DrawLayer(TGLPrimitive& Mesh, float Y);
    void DrawBackWall(const TSceneTheme& Theme);
    bool CombinersAvailable();
    // FBubbleBatch: Mesh translated to each particle of System, as one primitive; false (and
    // nothing built) when Mesh is not indexed, textured triangles.
    bool BatchParticles(const TGLPrimitive& Mesh, const TParticles& System);
    // The notes of System that can take their shimmer in their first pass to FOnePassNotes, the
    // others to FTwoPassNotes; the light and the camera as the notes' drawing placed them.
    void SortNotesByPasses(const TGLPrimitive& Mesh, const TParticles& System);
    void DrawCombinedLayers(const TSceneTheme& Theme);

    TUnderwaterScene& FScene;
    const quillaby::scene::SurfaceSize* FView = nullptr;
    bool FCombinedChecked = false;
    bool FCombinedAvailable = false;
    bool FDrewCombined = false;
    TGLPrimitive FBubbleBatch;
    std::vector<int> FOnePassNotes, FTwoPassNotes; // kept between frames for their capacity
};
