#pragma once
// The program's jobs with the underwater scene: a window on the desktop, or an offscreen snapshot.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/CommandLine.h"

namespace quillaby::app {

// The scene in an ordinary resizable window, one frame per pass of an idle loop that never waits,
// the frame rate in the title; Esc, closing the window, SIGINT or SIGTERM end it. Returns the exit code.
int RunWindowJob(const RunOptions& options);

struct Snapshot {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels; // RGBA, rows from the top, opaque
    int Frames = 0;
    double FramesPerSecond = 0;  // achieved while rendering
    bool CombinedLayers = false; // the last frame drew surface and sand in one pass each
    int OnePassNotes = 0;        // notes the last frame drew with their shimmer in one pass
};

// Renders offscreen: the reset with its pre-run, then options.Frames frames at a fixed 1/30 s step, so
// the picture depends only on the seed. The last frame is returned.
Snapshot RenderSnapshot(const RunOptions& options);

// RenderSnapshot, the PNG file written, the frame rate printed on report. Returns the exit code.
int RunSnapshotJob(const RunOptions& options, std::FILE* report);

} // namespace quillaby::app
