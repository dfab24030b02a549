#pragma once
// Hack mode: the scene drawn into a window a screen-saver daemon owns (XScreenSaver's, or the root
// window), one frame and then a pause, until SIGTERM or SIGINT or until the window is destroyed.
// The daemon owns everything else: input, the cursor, the display mode, the desktop's saver state.
#include "app/HackOptions.h"

namespace quillaby::compose {

// Returns the exit code: 0 when stopped by a signal or by the window's destruction.
int RunHackMode(const app::HackOptions& options);

} // namespace quillaby::compose
