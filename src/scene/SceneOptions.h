#pragma once
// The user's choices that the scene reads every frame.

struct TSceneOptions {
    int BubbleCount = 100; // 0 to 100
    int DollarCount = 60;  // banknotes, 0 to 100
    int ThemeIndex = 0;    // 0 Immersion, 1 Fountain, 2 Fishes
    bool SoundEnabled = true;
    // Draw the surface and the sand each in one pass where the driver can (same picture, much
    // faster on software rendering); the layer-by-layer drawing otherwise.
    bool FewerPasses = false;
};
