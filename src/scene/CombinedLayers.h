#pragma once
// The surface or the sand in one opaque pass instead of three: texture unit 0 gives the base
// texture times the mesh colour, unit 1 lays the caustics over it (GL_INTERPOLATE by the caustics
// alpha, exactly the blend of a caustics layer), unit 2 lays the depth fade's per-vertex colour
// over that (GL_INTERPOLATE by the vertex alpha, exactly the blend of a fade layer). Needs the
// multitexture entry points and three texture units; the caller keeps the layered drawing otherwise.
#include "gl/SystemGL.h"

#include "math/Geometry.h"

class TGLPrimitive;
class TGLTexture;

namespace quillaby::scene {

// One texture-combiner stage on the active unit: its RGB is Source0 op Source1 (op Source2's
// alpha); alpha keeps the defaults, for opaque drawing.
void SetCombinerStage(GLenum Combine, GLenum Source0, GLenum Source1, GLenum Source2);

// True when the current context can draw combined layers: the multitexture entry points are
// there and it has at least three texture units. Asks the driver; call once per context.
bool CombinedLayersAvailable();

// True when the three meshes share one geometry as the combined pass needs it: the same vertex
// count, one base colour at most, texture coordinates and fade colours for every vertex.
bool CanCombine(const TGLPrimitive& Base, const TGLPrimitive& Caustics, const TGLPrimitive& Fade);

// Sets the units up for CombinedLayer calls, and puts them back the way single-texture drawing
// expects them (only unit 0 in use, modulating) when it ends.
class CombinedLayerPass {
  public:
    CombinedLayerPass();
    ~CombinedLayerPass();
    CombinedLayerPass(const CombinedLayerPass&) = delete;
    CombinedLayerPass& operator=(const CombinedLayerPass&) = delete;

    // Draws Base's geometry once with the three stages; CausticsAlpha 0 leaves the caustics out.
    void Draw(const TGLPrimitive& Base, const TGLPrimitive& Caustics, const TGLPrimitive& Fade,
              TGLTexture& BaseTexture, TGLTexture& CausticsTexture, Single CausticsAlpha);
};

} // namespace quillaby::scene
