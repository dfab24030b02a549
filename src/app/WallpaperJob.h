#pragma once
// The scene as the desktop's wallpaper: on the background layer of every output, under every window.
#include <cstdio>

#include "app/CommandLine.h"
#include "platform/Services.h"

namespace quillaby::app {

// Draws until the system stops the program (SIGTERM, SIGINT) or takes every surface away; input never
// ends it and it makes no sound. What it does goes to `log` a line at a time. Returns the exit code.
// Raises UsageError where the session has no background layer to draw on, before anything is made.
int RunWallpaperJob(const RunOptions& options, platform::Services& services, std::FILE* log);

} // namespace quillaby::app
