#pragma once
// The GL surface on an SDL window. The requested bits go to SDL_GL_SetAttribute before the window
// exists, so the window is created when the engine sets the pixel format; what the driver chose is
// read back from the context. Works on a visible window (full screen, borderless, resizable), on a
// window another program made (hack mode), and with SDL's "offscreen" video driver, whose swap
// presents nothing: there every swap waits for the frame to finish (glFinish) so frames cannot pile
// up in the driver.
#include <SDL.h>

#include <string>

#include "platform/GLSurface.h"

namespace quillaby::platform {

struct SdlGLWindowOptions {
    std::string Title = "Quillaby";
    int X = SDL_WINDOWPOS_UNDEFINED;
    int Y = SDL_WINDOWPOS_UNDEFINED;
    int Width = 640;
    int Height = 480;
    // Added to SDL_WINDOW_OPENGL: SDL_WINDOW_FULLSCREEN, SDL_WINDOW_BORDERLESS, SDL_WINDOW_RESIZABLE,
    // SDL_WINDOW_ALWAYS_ON_TOP, SDL_WINDOW_HIDDEN ...
    Uint32 Flags = 0;
    // Non-zero: draw into this existing X window, which another program owns, instead of making one.
    // The window keeps its own visual and size; Flags, position and size above are not used.
    unsigned long ForeignWindow = 0;
};

class SdlGLWindow : public GLSurface {
  public:
    // Initialises SDL's video subsystem (raises quillaby::Error with SDL's reason when it cannot).
    explicit SdlGLWindow(SdlGLWindowOptions options);
    ~SdlGLWindow() override;
    SdlGLWindow(const SdlGLWindow&) = delete;
    SdlGLWindow& operator=(const SdlGLWindow&) = delete;

    bool ChoosePixelFormat(const GLPixelFormat& wanted) override;
    bool SetPixelFormat() override;
    GLContextHandle CreateContext() override;
    GLPixelFormat DescribePixelFormat() override { return chosen_; }
    bool SetPalette(const std::vector<PaletteEntry>& entries) override;
    bool MakeCurrent(GLContextHandle context) override;
    void DeleteContext(GLContextHandle context) override;
    void SwapBuffers() override;
    ProcAddressLookup ProcLookup() const override;
    int DrawableWidth() const override;
    int DrawableHeight() const override;

    // The window, null until SetPixelFormat created it.
    SDL_Window* Window() const { return window_; }
    // The renderer string of the last context created ("llvmpipe (LLVM 15.0.6, 256 bits)").
    const std::string& Renderer() const { return renderer_; }

  private:
    void ReadBackFormat();

    SdlGLWindowOptions options_;
    SDL_Window* window_ = nullptr;
    GLPixelFormat chosen_;
    std::string renderer_;
    bool offscreen_ = false;
    void (*finish_)() = nullptr;
};

} // namespace quillaby::platform
