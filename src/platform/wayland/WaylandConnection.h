#pragma once
// The saver's own connection to the Wayland compositor: the registry's globals (compositor, layer
// shell, viewporter, seat, outputs), the seat's keyboard and pointer turned into input events, and the EGL
// display every surface of the run draws through. Everything runs on the thread that made it.
#include <EGL/egl.h>
#include <wayland-client.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/EventPump.h"
#include "platform/wayland/OutputList.h"

struct zwlr_layer_shell_v1;
struct wp_viewporter;

namespace quillaby::platform {

class LayerSurface;

class WaylandConnection {
  public:
    // Null when no compositor answers at WAYLAND_DISPLAY (or it is unset).
    static std::unique_ptr<WaylandConnection> Connect();
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* Display() const { return FDisplay; }
    wl_compositor* Compositor() const { return FCompositor; }
    // Null when the compositor has no layer shell (GNOME's).
    zwlr_layer_shell_v1* LayerShell() const { return FLayerShell; }
    // Null when the compositor cannot scale a surface's buffer to a size of our choosing.
    wp_viewporter* Viewporter() const { return FViewporter; }
    // Raises quillaby::Error when EGL cannot start on the connection.
    EGLDisplay Egl();
    // The wl_output of a global; null once it went.
    wl_output* Output(uint32_t global) const;
    const OutputList& Outputs() const { return FOutputs; }
    // Counts up whenever an output came, went or was described anew.
    unsigned OutputsVersion() const { return FOutputsVersion; }

    // Reads and dispatches what the compositor sent, waiting up to `timeoutMs` (0: not at all, -1:
    // without end) for something to arrive. Raises quillaby::DisplayLost when the connection broke.
    void Dispatch(int timeoutMs);
    // Waits for the compositor to have handled every request sent so far.
    void Roundtrip();

    // The input that came, oldest first.
    bool TakeInput(InputEvent& event);
    bool HasInput() const { return !FInput.empty(); }
    // Waits up to `timeoutMs` (milliseconds) for every key held on our surfaces to be released, so
    // the keyboard passes to the next window with no key down. Raises as Dispatch does.
    void AwaitKeysReleased(int timeoutMs);

    // Surfaces register themselves: input names them by id, frames are due through them.
    uint32_t Register(LayerSurface& surface);
    void Unregister(LayerSurface& surface);
    bool IsRegistered(const LayerSurface* surface) const;
    // True when some shown surface may draw its next frame, or when none is shown at all.
    bool FrameDue() const;
    // True when the compositor closed every surface made, one at least while its output stayed: it
    // wants them gone. Surfaces closed because their outputs went do not count (one may come back).
    bool ClosedWhileOutputsStay() const;

  private:
    WaylandConnection(wl_display* display);
    LayerSurface* SurfaceOf(wl_surface* surface) const;
    uint32_t GlobalOf(wl_output* output) const; // 0: not one of ours
    void Push(InputEvent::Kind kind, wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
    void PushPointer(InputEvent::Kind kind);

    static const wl_registry_listener kRegistry;
    static const wl_output_listener kOutput;
    static const wl_seat_listener kSeat;
    static const wl_keyboard_listener kKeyboard;
    static const wl_pointer_listener kPointer;

    wl_display* FDisplay;
    wl_registry* FRegistry = nullptr;
    wl_compositor* FCompositor = nullptr;
    zwlr_layer_shell_v1* FLayerShell = nullptr;
    wp_viewporter* FViewporter = nullptr;
    wl_seat* FSeat = nullptr;
    wl_keyboard* FKeyboard = nullptr;
    wl_pointer* FPointer = nullptr;
    std::map<uint32_t, wl_output*> FOutputProxies;
    OutputList FOutputs;
    unsigned FOutputsVersion = 0;
    EGLDisplay FEgl = EGL_NO_DISPLAY;
    std::deque<InputEvent> FInput;
    // Keys down while one of our surfaces has the keyboard (evdev key codes).
    std::set<uint32_t> FKeysHeld;
    std::map<uint32_t, LayerSurface*> FSurfaces;
    uint32_t FNextId = 0x57000001; // far above SDL's window ids
    // The pointer's surface and its position there (surface pixels).
    wl_surface* FPointerSurface = nullptr;
    wl_fixed_t FPointerX = 0;
    wl_fixed_t FPointerY = 0;
};

} // namespace quillaby::platform
