#pragma once
// The scene jobs (--window, --snapshot, --wallpaper) show the user's stored choices unless the command
// line says otherwise.
#include "app/CommandLine.h"

namespace quillaby::app {

// Theme, banknotes, bubbles and sound from the user's settings file, for each one the command line
// did not give; for --window and --wallpaper also the frame cap and the render scale. A missing file or
// value keeps the default (the wallpaper's cap: WallpaperMaxFps); a damaged value raises its error.
void ApplyStoredSceneOptions(RunOptions& options);

// The idle watcher's wait in minutes, from the user's settings file (its default when missing, brought
// into range when out of it); and that value stored, written alone, the file's other values as they were.
int StoredIdleMinutes();
void StoreIdleMinutes(int minutes);

// Frames a second the wallpaper draws at most when neither the command line nor the settings say.
inline constexpr int WallpaperMaxFps = 30;

} // namespace quillaby::app
