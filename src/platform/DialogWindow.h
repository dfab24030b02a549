#pragma once
// A fixed-size dialog window drawn with Dear ImGui through OpenGL: the window, the GUI's own OpenGL
// context and the window's events. Other surfaces may draw parts of the same window with contexts
// of their own (AreaOptions); the GUI is drawn over them and the window presented once per pass.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/DisplayDensity.h"
#include "platform/GLWindow.h"

namespace quillaby::platform {

class DialogWindow {
  public:
    virtual ~DialogWindow() = default;

    // Hands the waiting events to ImGui; true when the window was asked to close (its close box,
    // or the system's quit request, which SIGTERM and SIGINT make). A mouse button going down or up,
    // or a move with a button held, or a key going down ends the batch: the next frame sees the
    // pointer where that event happened, and a quick press and release are not folded into one frame.
    virtual bool PumpEvents() = 0;
    // Makes the GUI's context current and starts an ImGui frame.
    virtual void BeginFrame() = 0;
    // Renders the frame's ImGui draw data over what is in the back buffer.
    virtual void RenderFrame() = 0;
    // Presents the back buffer.
    virtual void Present() = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Raises the window and gives it the keyboard (back from a full-screen run).
    virtual void Focus() = 0;
    // The options of a surface that draws the rectangle (design pixels from the top-left) of this
    // window, at the window's own pixel size.
    virtual GLWindowOptions AreaOptions(int left, int top, int width, int height) const = 0;
    // A texture in the GUI's context for ImGui::Image; RGBA rows top to bottom.
    virtual void* CreateTexture(const std::vector<uint8_t>& rgba, int width, int height) = 0;
    // The back buffer's pixels, PixelWidth x PixelHeight, RGBA rows top to bottom (for pictures of
    // the dialog).
    virtual std::vector<uint8_t> ReadPixels() const = 0;
    virtual int Width() const = 0; // design pixels
    virtual int Height() const = 0;
    // How many window pixels a design pixel takes, each way.
    virtual int Scale() const = 0;
    int PixelWidth() const { return Width() * Scale(); }

    // The scale the dialog takes on a monitor of this density.
    using ScaleRule = std::function<int(const DisplayDensity&)>;
    // From now on, moved onto a monitor of another density (where the system tells), the window takes
    // the scale `rule` gives there and the place the system suggests.
    virtual void FollowDensity(ScaleRule /*rule*/) {}
    // True once after the scale changed: the caller builds ImGui's fonts anew for the new scale before
    // the next BeginFrame (which hands them to the GPU) and makes its areas' surfaces anew.
    virtual bool TakeScaleChange() { return false; }
    int PixelHeight() const { return Height() * Scale(); }
};

} // namespace quillaby::platform
