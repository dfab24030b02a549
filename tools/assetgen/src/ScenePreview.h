#pragma once
// A software sketch of the scene as the program draws it (bottom, surface, scrolled caustics,
// depth fade, back wall, a few lit banknotes and bubbles), for judging the textures where they
// are used: at the camera's distances, repeated, unfiltered by mipmaps.
#include "Image.h"

namespace assetgen {

// One frame of theme `theme` (0 Immersion, 1 Fountain, 2 Fishes), `width` x `height` pixels.
Image renderScenePreview(int theme, int width, int height);

} // namespace assetgen
