#pragma once
// The scene's meshes, built in the model format's Z-up frame (the importer turns them Y-up:
// file (x, y, z) becomes scene (x, z, -y)). Lengths in scene units.
#include "ModelText.h"

#include <string>

namespace assetgen {

constexpr float kNoteLength = 1024, kNoteWidth = 430;
constexpr int kWaveFrames = 11;
constexpr float kWavePeriod = 2.0f; // seconds for one full wave; the last frame equals the first

// The flat banknote: a front facing the camera (scene +z) and a back facing away.
Model banknoteModel();
// The bubble quad, standing in the scene's XY plane, facing the camera.
Model bubbleModel();
// The sea bottom: a grid from the camera out to the far distance, facing up.
Model bottomModel();
// Frame `frame` (0..10) of the waving banknote.
Model waveModel(int frame);
// The key-frame list of the waving banknote.
std::string waveList();

} // namespace assetgen
