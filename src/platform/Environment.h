#pragma once
// The process's environment variables, and the video driver that renders without a display.
#include <string>

namespace quillaby::platform {

// Sets an environment variable of this process, overwriting it; a null value removes it.
void SetEnv(const std::string& name, const char* value);

// The SDL video driver for pictures nobody sees: "offscreen" (EGL, no display at all) on Linux; on
// Windows, where SDL's offscreen driver has no OpenGL, the ordinary driver with a hidden window.
extern const char* const OffscreenVideoDriver;

// Windows made from here on draw with OffscreenVideoDriver, unless the environment already names a
// video driver.
void PreferOffscreenVideo();

} // namespace quillaby::platform
