#pragma once
// Per-vertex colouring of the fade layers and scrolling of the caustics layers.
#include "math/DArrays.h"

// Gives each vertex a colour after its depth z (scene units, negative in front of the camera):
// Near on the near side of Start, Far at or beyond End, interpolated in between. Leaves the
// colours alone when there is not exactly one colour per vertex or Start and End coincide.
void ApplyDepthFade(const TGLVectorDArray& Vertices, TGLColorDArray& Colors, const TGLColor& Near,
                    const TGLColor& Far, Single Start, Single End);

// Moves every texture coordinate by (DU, DV) texture widths. Coordinates grow without bound;
// the textures repeat.
void ScrollTextureCoords(TGLTextureCoordDArray& Coords, Single DU, Single DV);
