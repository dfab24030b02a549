#pragma once
// A fixed-size dialog window drawn with Dear ImGui through SDL and OpenGL: the window, the GUI's
// own OpenGL context, ImGui's SDL and OpenGL2 backends, and the event pump. Other surfaces may draw
// parts of the same window with contexts of their own (SdlGLWindowOptions::Host); the GUI is drawn
// over them and the window presented once per pass.
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/SdlGLWindow.h"

namespace quillaby::platform {

class SdlDialogWindow {
  public:
    // Creates the window centred on the desktop and the ImGui context (no imgui.ini, no log file).
    // Raises quillaby::Error with SDL's reason when it cannot. width and height are design pixels;
    // the window has `scale` times as many, and ImGui draws in design pixels scaled up to them.
    SdlDialogWindow(const std::string& title, int width, int height, Uint32 extraFlags = 0, int scale = 1);
    ~SdlDialogWindow();
    SdlDialogWindow(const SdlDialogWindow&) = delete;
    SdlDialogWindow& operator=(const SdlDialogWindow&) = delete;

    // Hands the waiting events to ImGui; true when the window was asked to close (its close box,
    // or SDL_QUIT, which SIGTERM and SIGINT queue). A mouse button going down or up, or a move with
    // a button held, or a key going down ends the batch: the next frame sees the pointer where that
    // event happened, and a quick press and release are not folded into one frame.
    bool PumpEvents();
    // Makes the GUI's context current and starts an ImGui frame.
    void BeginFrame();
    // Renders the frame's ImGui draw data over what is in the back buffer.
    void RenderFrame();
    // Presents the back buffer.
    void Present();

    void SetTitle(const std::string& title);
    void Show();
    void Hide();
    // Raises the window and gives it the keyboard (back from a full-screen run).
    void Focus();
    // The options of a surface that draws the rectangle (design pixels from the top-left) of this
    // window, at the window's own pixel size.
    SdlGLWindowOptions AreaOptions(int left, int top, int width, int height) const;
    // A texture in the GUI's context for ImGui::Image; RGBA rows top to bottom.
    void* CreateTexture(const std::vector<uint8_t>& rgba, int width, int height);
    // The back buffer's pixels, PixelWidth x PixelHeight, RGBA rows top to bottom (for pictures of
    // the dialog).
    std::vector<uint8_t> ReadPixels() const;
    int Width() const { return width_; } // design pixels
    int Height() const { return height_; }
    int Scale() const { return scale_; }
    int PixelWidth() const { return width_ * scale_; }
    int PixelHeight() const { return height_ * scale_; }
    SDL_Window* Window() const { return window_; }

  private:
    void MakeCurrent();

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    int width_;
    int height_;
    int scale_;
    bool offscreen_ = false;
    std::vector<unsigned> textures_;
    // The pointer as the events processed so far left it (window pixels, not design pixels).
    bool pointerInside_ = false; // over the window, or held down since it was
    int pointerX_ = 0, pointerY_ = 0;
    bool buttonDown_[3] = {};
    bool buttonPressed_[3] = {}; // went down since the last frame
};

} // namespace quillaby::platform
