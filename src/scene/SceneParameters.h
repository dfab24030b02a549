#pragma once
// The scene's tunable values, its asset names and the three theme records.
// Units: scene units (y up, camera at the origin looking along -z), seconds, degrees.
#include <array>
#include <string>

#include "math/Geometry.h"

class TGLTexture;

// Distance beyond the visible edge at which banknotes are born and die, in scene units.
// It exceeds half the diagonal of the banknote mesh (1024 x 430), so notes never pop in view.
inline constexpr Single NoteMargin = 700;

struct TSceneParameters {
    Single ViewFar = 0;
    Single ViewNear = 0;
    Single FieldOfView = 0; // vertical, degrees
    Single FadeStart = 0;   // depth where the fade layers begin
    Single FadeEnd = 0;     // depth where the fade layers are opaque
    TGLColor AmbientColour{};
    TGLColor LightColour{};
    Single BottomY = 0;
    Single SurfaceY = 0;
    Single SurfaceCausticsAlpha = 0;
    Single BottomCausticsAlpha = 0;
    Single ReflectionAlpha = 0; // 0 turns the banknotes' shimmer pass off
    Single BubbleDepthMin = 0, BubbleDepthMax = 0;
    Single BubbleSpeedMin = 0, BubbleSpeedMax = 0;
    Single ImmersionDepthMin = 0, ImmersionDepthMax = 0;
    Single ImmersionSpeedMin = 0, ImmersionSpeedMax = 0;
    Single ImmersionSpinMin = 0, ImmersionSpinMax = 0; // degrees per second
    Single FountainDepth = 0;
    Single FountainSpread = 0;
    Single FountainHeight = 0;
    Single FountainSpeedMax = 0, FountainSpeed = 0;
    Single FountainSpinMin = 0, FountainSpinMax = 0;
    Single FountainGravity = 0; // scene units per second squared
    Single FishDepthNear = 0, FishDepthFar = 0;
    Single FishHeightLow = 0, FishHeightHigh = 0;
    Single FishSpeedMin = 0, FishSpeedMax = 0;

    // Resource names of the shared assets.
    std::string NoteMeshName;
    std::string NoteTextureName;
    std::string ReflectionTextureName;
    std::string BubbleMeshName;
    std::string BubbleTextureName;
    std::string BubbleAlphaName;
    std::string BottomMeshName;
    std::string WaveAnimationName;
};

struct TSceneTheme {
    TGLColor FogColour{};     // clear colour of the frame
    TGLColor SurfaceColour{}; // surface fade layer and top of the back wall
    TGLColor BottomColour{};  // bottom fade layer and foot of the back wall
    TGLColor BubbleColour{};
    TGLColor NoteColour{};
    std::string BottomTextureName;
    std::string SurfaceTextureName;
    std::string CausticsTextureName;
    // Loaded from the names when the scene is built; owned by the scene.
    TGLTexture* CausticsTexture = nullptr;
    TGLTexture* BottomTexture = nullptr;
    TGLTexture* SurfaceTexture = nullptr;
};

inline constexpr int ThemeCount = 3;
enum TThemeIndex { tiImmersion = 0, tiFountain = 1, tiFishes = 2 };
using TSceneThemes = std::array<TSceneTheme, ThemeCount>;

// Fills every parameter, the asset names and the theme records with their defaults.
// Textures already loaded into the themes are left where they are.
void SetSceneDefaults(TSceneParameters& Params, TSceneThemes& Themes);
