#pragma once
// The scene jobs (--window, --snapshot) show the user's stored choices unless the command line says
// otherwise.
#include "app/CommandLine.h"

namespace quillaby::app {

// Theme, banknotes, bubbles and sound from the user's settings file, for each one the command line
// did not give; for --window also the frame cap and the render scale. A missing file or value keeps the
// default; a damaged value raises its error.
void ApplyStoredSceneOptions(RunOptions& options);

} // namespace quillaby::app
