#pragma once
// The banknotes' shimmer in the same pass as the notes themselves. The layered drawing lights each
// note with the material Colour (ambient, diffuse and specular alike) and then lays a sphere-mapped
// texture over it in a second pass, blended by Alpha, lit the same way with a white material. Where
// no lit channel reaches 1, both lightings are one per-vertex factor s (the white material's lit
// colour) times their material, and the two passes give exactly
//   s * (shimmer * Alpha + note * Colour * (1 - Alpha))
// which three texture stages give in one pass: unit 0 the note texture times Colour, unit 1 the
// shimmer by GL_INTERPOLATE with a constant Alpha, unit 2 times the primary colour, lit with the
// white material. Notes whose lighting saturates somewhere the camera sees keep the two passes.
#include "math/Geometry.h"

class TGLPrimitive;
class TGLTexture;

namespace quillaby::scene {

// The lighting of a white material by one directional light, per channel: the ambient sum (the
// scene's and the light's), the light's diffuse and specular colours, the shininess.
struct TWhiteLighting {
    Single Ambient[3];
    Single Diffuse[3];
    Single Specular[3];
    Single Shininess;
};

enum class TShimmerPasses { One, Two };

// One pass when, at every vertex of the faces the camera sees (back faces are culled), the white
// material's lit colour stays below 1 in every channel with a margin; otherwise two.
// Camera: the modelview matrix of the notes' scene (OpenGL's column-major order), a rotation and a
// translation, current when the light was placed. ToLight: the direction towards the light, in
// scene coordinates. Position, Rotation: where the note is drawn, its rotations in degrees about
// Y, then X, then Z. Mesh: indexed triangles, counter-clockwise in front, a normal for each vertex
// (anything else takes two passes).
TShimmerPasses ShimmerPassesFor(const float Camera[16], const TGLVector& ToLight,
                                const TWhiteLighting& Lighting, const TGLVector& Position,
                                const TGLVector& Rotation, const TGLPrimitive& Mesh);

// Sets the three stages up for the notes' one-pass drawing (the note texture bound on unit 0
// before), and puts the units back the way single-texture drawing expects them when it ends.
// Needs the multitexture entry points and three texture units.
class OnePassShimmer {
  public:
    OnePassShimmer(TGLTexture& Shimmer, const TGLColor& Colour, Single Alpha);
    ~OnePassShimmer();
    OnePassShimmer(const OnePassShimmer&) = delete;
    OnePassShimmer& operator=(const OnePassShimmer&) = delete;
};

} // namespace quillaby::scene
