#pragma once
// The scene jobs (--window, --snapshot) show the user's stored choices unless the command line says
// otherwise.
#include "app/CommandLine.h"

namespace quillaby::app {

// Theme, banknotes, bubbles, sound, frame cap and render scale from the user's settings file, for each one the command line
// did not give. A missing file or value keeps the default; a damaged value raises its error.
void ApplyStoredSceneOptions(RunOptions& options);

} // namespace quillaby::app
