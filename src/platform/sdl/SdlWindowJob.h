#pragma once
// SDL's video for a program that shows one window of its own, and that window's event loop.
#include <memory>

#include "platform/GLWindow.h"
#include "platform/VideoHold.h"
#include "platform/WindowLoop.h"

namespace quillaby::platform {

std::unique_ptr<VideoHold> HoldSdlVideo();
// `window` must have been made by the SDL layer and outlive the loop.
std::unique_ptr<WindowLoop> CreateSdlWindowLoop(GLWindow& window);

} // namespace quillaby::platform
