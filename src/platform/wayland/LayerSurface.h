#pragma once
// A layer-shell surface on one output, anchored to its four edges, with an EGL window surface for
// desktop OpenGL: the render window of a full-screen run (overlay layer, keyboard exclusive) or the
// wallpaper (background layer, no keyboard). Frames are paced by the compositor: after a swap the
// surface draws again only once its frame callback came, so an output that is off or hidden gets no
// frames at all. One EGL context serves every surface of a run (the same config on all). Drawn at a
// share of its size, the surface has the compositor scale its buffer up (wp_viewporter) where it can.
#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <chrono>
#include <string>

#include "platform/GLWindow.h"
#include "platform/Monitors.h"

struct zwlr_layer_surface_v1;
struct zwlr_layer_surface_v1_listener;
struct wp_viewport;

namespace quillaby::platform {

class WaylandConnection;

class LayerSurface final : public GLWindow {
  public:
    // The render window of a run takes the keyboard; covers of the other outputs do not (one surface
    // with exclusive keyboard per seat: with several the compositor gives it to none reliably). A
    // wallpaper lies on the background layer.
    enum class Role { RenderWindow, Cover, Wallpaper };

    // `outputGlobal` 0: the output the compositor picks. `title` is the surface's namespace.
    LayerSurface(WaylandConnection& connection, uint32_t outputGlobal, Role role, std::string title);
    ~LayerSurface() override;
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    bool ChoosePixelFormat(const GLPixelFormat& wanted) override;
    // Makes the surface and waits for the compositor's first configure.
    bool SetPixelFormat() override;
    GLContextHandle CreateContext() override;
    GLPixelFormat DescribePixelFormat() override { return FChosen; }
    bool SetPalette(const std::vector<PaletteEntry>&) override { return false; }
    // A surface whose frame is not due refuses a context: the frame loop leaves it out.
    bool MakeCurrent(GLContextHandle context) override;
    void DeleteContext(GLContextHandle context) override;
    // Presents only when the frame is due; otherwise the frame is dropped.
    void SwapBuffers() override;
    ProcAddressLookup ProcLookup() const override;
    // The buffer's size: the output's pixels, or the share of them the compositor scales up.
    int DrawableWidth() const override { return BufferSide(FWidth); }
    int DrawableHeight() const override { return BufferSide(FHeight); }
    // Through a viewport set to the surface's logical size, with buffer scale 1: false where the
    // compositor has no viewporter (the caller scales then) and at 100.
    bool LetSystemScale(int percent) override;

    NativeWindow Native() const override { return FSurface; }
    uint32_t Id() const override { return FId; }
    std::string Title() const override { return FTitle; }
    void SetTitle(const std::string& title) override { FTitle = title; }
    // Unmaps the surface: nothing of it shows any more.
    void Hide() override;
    void TakeInput() override {}      // the layer's exclusive keyboard has it already
    void KeepInputFocus() override {} // the compositor keeps it there
    const std::string& Renderer() const override { return FRenderer; }

    // Uses the config of another surface of the run (whose context this one is drawn with).
    void ShareConfig(const LayerSurface& other);
    // The frame is due only while the surface is waiting for none and can be drawn.
    bool FrameDue() const { return Shown() && !FFrameCallback; }
    // Configured, not closed by the compositor, not hidden.
    bool Shown() const { return FEglSurface != EGL_NO_SURFACE && !FClosed && !FHidden; }
    bool Closed() const { return FClosed; }
    Role LayerRole() const { return FRole; }
    uint32_t Output() const { return FOutput; }
    wl_surface* Surface() const { return FSurface; }
    EGLSurface EglSurface() const { return FEglSurface; }
    // When the last frame was presented (its callback is awaited since).
    std::chrono::steady_clock::time_point WaitingSince() const { return FPresented; }
    // Where the surface lies on the desktop, in logical pixels.
    MonitorRect Where() const;
    // A frame that draws nothing but black (a cover that shows no scene).
    void PresentBlack(GLContextHandle context);
    // The output's scale changed: the next frames are drawn at its real pixels.
    void FollowScale(int scale);
    // Takes over the shown surface of `other` (a cover of another output) in exchange for this
    // one's closed one, with the keyboard as this role has it: the render window goes on where
    // its output went, without a frame of the desktop between. `other` is left to be freed.
    void TakeOver(LayerSurface& other);

  private:
    static const ::zwlr_layer_surface_v1_listener kLayerListener;
    static const wl_callback_listener kFrameListener;
    void Resize();
    void MakeEglSurface();
    // A new EGL surface on a new wl_egl_window of the drawable size, current where the old one was.
    void RemakeEglSurface();
    int BufferSide(int logical) const;
    // The buffer scale the next frame's buffer goes with: 1 whenever the viewport scales it.
    int BufferScale() const { return FPercent < 100 ? 1 : FScale; }

    WaylandConnection& FConnection;
    uint32_t FOutput;
    Role FRole;
    std::string FTitle;
    uint32_t FId = 0;
    EGLConfig FConfig = nullptr;
    GLPixelFormat FChosen;
    std::string FRenderer;
    wl_surface* FSurface = nullptr;
    zwlr_layer_surface_v1* FLayerSurface = nullptr;
    wl_egl_window* FEglWindow = nullptr;
    EGLSurface FEglSurface = EGL_NO_SURFACE;
    wl_callback* FFrameCallback = nullptr;
    std::chrono::steady_clock::time_point FPresented;
    int FWidth = 0; // logical pixels, as configured
    int FHeight = 0;
    int FScale = 1;
    int FScaleSent = 1;               // the buffer scale the compositor was last told
    wp_viewport* FViewport = nullptr; // made when the buffer is first drawn smaller than the surface
    int FPercent = 100;               // share of each side of the output's pixels the buffer has
    bool FConfigured = false;
    bool FClosed = false;
    bool FHidden = false;
    bool FIntervalSet = false;
};

} // namespace quillaby::platform
