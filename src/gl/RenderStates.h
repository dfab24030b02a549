#pragma once
// One-line render-state shortcuts used around the scene's draws, so each sequence lives in one place.

void DisableFog();
void EnableBlending();
void DisableBlending();
void EnableCulling();
void EnableDepthTest();
void DisableDepthTest();
void EnableLighting();
void DisableLighting();
// Both 1D and 2D texturing.
void EnableTexturing();
void DisableTexturing();
void DisableStencilTest();
// The light model's ambient colour, alpha 1.
void SetAmbientLight(float R, float G, float B);
