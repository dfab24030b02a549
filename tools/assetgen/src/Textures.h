#pragma once
// The painters of every texture and picture the scene carries. Each is a pure function of
// its fixed seed: the same call always paints the same picture.
#include "Image.h"

namespace assetgen {

constexpr int kTextureSize = 256;

// The banknote: the front in the upper half of the picture, the back in the lower half.
Image paintBanknote();

// Light through moving water, one look per theme (1, 2, 3) and one for the notes' shimmer (5).
Image paintCaustics(int variant);

// The sea bottom: 1 fine sand, 2 sand with pebbles, 3 sand with weed and darker patches.
Image paintBottom(int variant);

// The water surface seen from below, one per theme (1, 2, 3).
Image paintWater(int variant);

// The bubble's colour and its opacity (white opaque, black transparent).
Image paintBubble();
Image paintBubbleAlpha();

// The 150 x 110 logo: the still picture of the preview and the About box's picture. It shows
// the banknote picture `banknote` (as painted by paintBanknote) drifting through the water.
Image paintLogo(const Image& banknote);

} // namespace assetgen
