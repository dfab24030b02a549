#include "scene/SceneParameters.h"

void SetSceneDefaults(TSceneParameters& P, TSceneThemes& Themes) {
    P.ViewFar = 10000;
    P.ViewNear = 100;
    P.FieldOfView = 75;
    P.FadeStart = 6000;
    P.FadeEnd = 10000;
    P.AmbientColour = {0.6f, 0.6f, 0.6f, 1};
    P.LightColour = {0.4f, 0.4f, 0.4f, 1};
    P.BottomY = -3000;
    P.SurfaceY = 5000;
    P.SurfaceCausticsAlpha = 0.65f;
    P.BottomCausticsAlpha = 0.35f;
    P.ReflectionAlpha = 0.2f;
    P.BubbleDepthMin = 1200;
    P.BubbleDepthMax = 7000;
    P.BubbleSpeedMin = 100;
    P.BubbleSpeedMax = 500;
    P.ImmersionDepthMin = 1200;
    P.ImmersionDepthMax = 7000;
    P.ImmersionSpeedMin = 100;
    P.ImmersionSpeedMax = 400;
    P.ImmersionSpinMin = 40;
    P.ImmersionSpinMax = 80;
    P.FountainDepth = 2500;
    P.FountainSpread = 10000;
    P.FountainHeight = 10000;
    P.FountainSpeedMax = 680;
    P.FountainSpeed = 400;
    P.FountainSpinMin = 40;
    P.FountainSpinMax = 80;
    // Under this gravity a note launched upwards at FountainSpeed peaks FountainHeight / 4 higher.
    P.FountainGravity = 2 * P.FountainSpeed * P.FountainSpeed / P.FountainHeight;
    P.FishDepthNear = 500;
    P.FishDepthFar = 10000;
    P.FishHeightLow = -3000;
    P.FishHeightHigh = 5000;
    P.FishSpeedMin = 200;
    P.FishSpeedMax = 500;

    P.NoteMeshName = "Dollaro00f.3dm";
    P.NoteTextureName = "dollar.jpg";
    P.ReflectionTextureName = "caust5.jpg";
    P.BubbleMeshName = "Puzir00f.3dm";
    P.BubbleTextureName = "puzir.jpg";
    P.BubbleAlphaName = "puzirA.jpg";
    P.BottomMeshName = "dnoK00f.3dm";
    P.WaveAnimationName = "DollarsWave.mfl";

    TSceneTheme& immersion = Themes[tiImmersion];
    immersion.FogColour = {0, 0.6f, 0.6824f, 1};
    immersion.SurfaceColour = {0, 0.612f, 0.7098f, 1};
    immersion.BottomColour = {0, 0.4706f, 0.55f, 1};
    immersion.BubbleColour = {0.784f, 1, 1, 1};
    immersion.NoteColour = {0.7255f, 0.961f, 1, 1};
    immersion.BottomTextureName = "Pesok01.jpg";
    immersion.SurfaceTextureName = "voda1.jpg";
    immersion.CausticsTextureName = "caust1.jpg";

    TSceneTheme& fountain = Themes[tiFountain];
    fountain.FogColour = {0, 0.416f, 0.612f, 1};
    fountain.SurfaceColour = {0.008f, 0.51f, 0.706f, 1};
    fountain.BottomColour = {0, 0.39216f, 0.588f, 1};
    fountain.BubbleColour = {0.784f, 0.902f, 1, 1};
    fountain.NoteColour = {0.804f, 0.882f, 1, 1};
    fountain.BottomTextureName = "dno02.jpg";
    fountain.SurfaceTextureName = "voda2.jpg";
    fountain.CausticsTextureName = "caust2.jpg";

    TSceneTheme& fishes = Themes[tiFishes];
    fishes.FogColour = {0, 0.624f, 0.459f, 1};
    fishes.SurfaceColour = {0.008f, 0.706f, 0.616f, 1};
    fishes.BottomColour = {0, 0.549f, 0.317f, 1};
    fishes.BubbleColour = {0.784f, 1, 0.902f, 1};
    fishes.NoteColour = {0.804f, 1, 0.961f, 1};
    fishes.BottomTextureName = "dno03.jpg";
    fishes.SurfaceTextureName = "voda3.jpg";
    fishes.CausticsTextureName = "caust3.jpg";
}
