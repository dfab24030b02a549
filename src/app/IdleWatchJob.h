#pragma once
// `quillaby --idle-watch`: the saver started whenever the desktop has been idle, until the session
// ends; `--idle-watch on [MINUTES]` and `off` turn that on and off for the user's sessions.
#include <cstdio>

#include "app/CommandLine.h"

namespace quillaby::app {

// Lines for the user go to `out` (on, off) or `err` (the watcher's own). Returns the exit code;
// raises quillaby::Error when no way to tell the desktop's idleness answers.
int RunIdleWatchJob(const RunOptions& options, std::FILE* out, std::FILE* err);

} // namespace quillaby::app
