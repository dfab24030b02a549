#pragma once
// A window that carries an OpenGL surface: a run's render window, a part of the settings dialog's
// window, or a window another program made. The window appears when the engine sets the pixel
// format on it.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/GLSurface.h"

namespace quillaby::platform {

// The window layer's own handle of a window: the program only hands it back to the layer.
using NativeWindow = void*;

struct GLWindowOptions {
    std::string Title = "Quillaby";
    // Desktop pixels of the top-left corner; unset: where the system puts new windows.
    std::optional<int> X;
    std::optional<int> Y;
    int Width = 640;
    int Height = 480;
    bool FullScreen = false; // covers its monitor at the desktop's own mode
    bool Borderless = false;
    bool Resizable = false;
    bool AlwaysOnTop = false;
    bool SkipTaskbar = false;
    bool Hidden = false;
    // The saver's own window: losing the focus must not minimise it (another window popping up would
    // uncover the desktop), and a click that reaches it together with the focus counts as input.
    bool SaverInput = false;
    // Set: the surface is the rectangle X, Y, Width, Height (pixels from the top-left corner) of
    // this window, which its owner keeps and presents. The surface draws there with a context of
    // its own, so it and the window's other drawing never see each other's OpenGL state.
    NativeWindow Host = nullptr;
    // Non-zero: draw into this existing X window, which another program owns, instead of making one.
    // The window keeps its own visual and size; the flags, position and size above are not used.
    unsigned long ForeignWindow = 0;
    // The desktop's wallpaper: on the background layer of the primary output (on X11: the root window),
    // under every window, taking no input (Services::CanDrawWallpaper says where). The flags, position
    // and size above are not used.
    bool Wallpaper = false;
};

class GLWindow : public GLSurface {
  public:
    // Null until SetPixelFormat made the window.
    virtual NativeWindow Native() const = 0;
    // The window's id as input events name it; 0 before the window exists.
    virtual uint32_t Id() const = 0;
    // Empty before the window exists.
    virtual std::string Title() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void Hide() = 0;
    // Raises the window and gives it the keyboard and the mouse (a full-screen run starts).
    virtual void TakeInput() = 0;
    // Takes the keyboard back when the window is shown but another window has it.
    virtual void KeepInputFocus() = 0;
    // The renderer string of the last context created ("llvmpipe (LLVM 15.0.6, 256 bits)").
    virtual const std::string& Renderer() const = 0;
};

} // namespace quillaby::platform
