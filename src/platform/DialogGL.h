#pragma once
// The OpenGL the dialog's window draws with, which the rendering engine owns: the window makes its
// own few calls here, and the GUI's renderer (Dear ImGui's OpenGL2 backend) calls through the same
// process-wide entry points, which Load keeps filled.
#include <cstdint>
#include <vector>

namespace quillaby::platform {

class DialogGL {
  public:
    virtual ~DialogGL() = default;
    // Loads the system's OpenGL when it is not loaded (the engine unloads it as render windows come
    // and go); raises quillaby::Error when it cannot.
    virtual void Load() = 0;
    // Sizes in pixels; the window's context is current.
    virtual void Viewport(int width, int height) = 0;
    virtual void Finish() = 0;
    // A texture of width x height RGBA pixels, sampled nearest; returns its GL name.
    virtual unsigned CreateTexture(const std::vector<uint8_t>& rgba, int width, int height) = 0;
    virtual void DeleteTexture(unsigned texture) = 0;
    // The back buffer's width x height RGBA pixels as GL reads them, bottom row first.
    virtual std::vector<uint8_t> ReadBackBuffer(int width, int height) = 0;
};

} // namespace quillaby::platform
