#include "platform/wayland/WaylandConnection.h"

#include <EGL/eglext.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/Error.h"
#include "platform/wayland/EglLibrary.h"
#include "platform/wayland/LayerShellProtocol.h"
#include "platform/wayland/LayerSurface.h"
#include "viewporter-client-protocol.h"

namespace quillaby::platform {
namespace {

// Versions of the globals this client speaks; a compositor may offer newer ones.
constexpr uint32_t kCompositorVersion = 4;
constexpr uint32_t kLayerShellVersion = 1;
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kOutputVersion = 4;
constexpr uint32_t kViewporterVersion = 1;

// A surface whose frame callback is this late no longer holds back the others' frames.
constexpr std::chrono::milliseconds kLateFrame{250};

WaylandConnection& Self(void* data) {
    return *static_cast<WaylandConnection*>(data);
}

} // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::Connect() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    // The globals, then what each output tells about itself.
    connection->Roundtrip();
    connection->Roundtrip();
    if (!connection->FCompositor) return nullptr;
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display) : FDisplay(display) {
    FRegistry = wl_display_get_registry(FDisplay);
    wl_registry_add_listener(FRegistry, &kRegistry, this);
}

WaylandConnection::~WaylandConnection() {
    // The EGL display stays: it goes with the process (static services end after EGL's own
    // clean-up, and terminating it then crashes).
    if (FKeyboard) wl_keyboard_destroy(FKeyboard);
    if (FPointer) wl_pointer_destroy(FPointer);
    if (FSeat) wl_seat_destroy(FSeat);
    for (auto& [global, output] : FOutputProxies) wl_output_destroy(output);
    if (FViewporter) wp_viewporter_destroy(FViewporter);
    if (FLayerShell) zwlr_layer_shell_v1_destroy(FLayerShell);
    if (FCompositor) wl_compositor_destroy(FCompositor);
    wl_registry_destroy(FRegistry);
    wl_display_disconnect(FDisplay);
}

const wl_registry_listener WaylandConnection::kRegistry = {
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        WaylandConnection& self = Self(data);
        const auto bind = [&](const wl_interface* type, uint32_t wanted) {
            return wl_registry_bind(registry, name, type, std::min(version, wanted));
        };
        if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
            self.FCompositor =
                static_cast<wl_compositor*>(bind(&wl_compositor_interface, kCompositorVersion));
        } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
            self.FLayerShell =
                static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, kLayerShellVersion));
        } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
            self.FViewporter =
                static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, kViewporterVersion));
        } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self.FSeat) {
            self.FSeat = static_cast<wl_seat*>(bind(&wl_seat_interface, kSeatVersion));
            wl_seat_add_listener(self.FSeat, &kSeat, data);
        } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
            auto* output = static_cast<wl_output*>(bind(&wl_output_interface, kOutputVersion));
            self.FOutputProxies[name] = output;
            self.FOutputs.Add(name);
            wl_output_add_listener(output, &kOutput, data);
        }
    },
    [](void* data, wl_registry*, uint32_t name) {
        WaylandConnection& self = Self(data);
        const auto it = self.FOutputProxies.find(name);
        if (it == self.FOutputProxies.end()) return;
        // Surfaces on it are closed by the compositor; the proxy itself goes now.
        if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(it->second)) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(it->second);
        else
            wl_output_destroy(it->second);
        self.FOutputProxies.erase(it);
        self.FOutputs.Remove(name);
        ++self.FOutputsVersion;
    },
};

uint32_t WaylandConnection::GlobalOf(wl_output* output) const {
    for (const auto& [global, proxy] : FOutputProxies)
        if (proxy == output) return global;
    return 0;
}

const wl_output_listener WaylandConnection::kOutput = {
    [](void* data, wl_output* output, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
       const char*, int32_t) {
        if (OutputInfo* info = Self(data).FOutputs.Find(Self(data).GlobalOf(output))) {
            info->X = x;
            info->Y = y;
        }
    },
    [](void* data, wl_output* output, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
        if (OutputInfo* info = Self(data).FOutputs.Find(Self(data).GlobalOf(output))) {
            info->PixelWidth = width;
            info->PixelHeight = height;
        }
    },
    [](void* data, wl_output* output) {
        WaylandConnection& self = Self(data);
        const uint32_t global = self.GlobalOf(output);
        self.FOutputs.Done(global);
        ++self.FOutputsVersion;
        // A new scale comes with no new configure when the logical size stays (the mode changed too).
        if (const OutputInfo* info = self.FOutputs.Find(global); info && info->Done)
            for (const auto& [id, surface] : self.FSurfaces)
                if (surface->Output() == global) surface->FollowScale(info->Scale);
    },
    [](void* data, wl_output* output, int32_t factor) {
        if (OutputInfo* info = Self(data).FOutputs.Find(Self(data).GlobalOf(output))) info->Scale = factor;
    },
    [](void* data, wl_output* output, const char* name) {
        if (OutputInfo* info = Self(data).FOutputs.Find(Self(data).GlobalOf(output))) info->Name = name;
    },
    [](void*, wl_output*, const char*) {},
};

const wl_seat_listener WaylandConnection::kSeat = {
    [](void* data, wl_seat* seat, uint32_t capabilities) {
        WaylandConnection& self = Self(data);
        if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !self.FKeyboard) {
            self.FKeyboard = wl_seat_get_keyboard(seat);
            wl_keyboard_add_listener(self.FKeyboard, &kKeyboard, data);
        } else if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && self.FKeyboard) {
            wl_keyboard_destroy(self.FKeyboard);
            self.FKeyboard = nullptr;
        }
        if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !self.FPointer) {
            self.FPointer = wl_seat_get_pointer(seat);
            wl_pointer_add_listener(self.FPointer, &kPointer, data);
        } else if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && self.FPointer) {
            wl_pointer_destroy(self.FPointer);
            self.FPointer = nullptr;
            self.FPointerSurface = nullptr;
        }
    },
    [](void*, wl_seat*, const char*) {},
};

const wl_keyboard_listener WaylandConnection::kKeyboard = {
    [](void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }, // no key is ever read
    // Keys already down when our surface gets the keyboard are no new input, but they are held.
    [](void* data, wl_keyboard*, uint32_t, wl_surface*, wl_array* keys) {
        WaylandConnection& self = Self(data);
        self.FKeysHeld.clear();
        const auto* key = static_cast<const uint32_t*>(keys->data);
        for (size_t i = 0; i < keys->size / sizeof(uint32_t); ++i) self.FKeysHeld.insert(key[i]);
    },
    [](void* data, wl_keyboard*, uint32_t, wl_surface*) { Self(data).FKeysHeld.clear(); },
    [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
        WaylandConnection& self = Self(data);
        if (state != WL_KEYBOARD_KEY_STATE_PRESSED) {
            self.FKeysHeld.erase(key);
            return;
        }
        self.FKeysHeld.insert(key);
        InputEvent event;
        event.Type = InputEvent::Kind::Key;
        // The keyboard goes to one of our surfaces; which one does not matter for a key.
        if (!self.FSurfaces.empty()) event.Window = self.FSurfaces.begin()->first;
        self.FInput.push_back(event);
    },
    [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void*, wl_keyboard*, int32_t, int32_t) {},
};

const wl_pointer_listener WaylandConnection::kPointer = {
    [](void* data, wl_pointer* pointer, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
        WaylandConnection& self = Self(data);
        self.FPointerSurface = surface;
        self.FPointerX = x;
        self.FPointerY = y;
        // No pointer is drawn over the scene; over the wallpaper it stays, as over any desktop.
        if (const LayerSurface* layer = self.SurfaceOf(surface);
            layer && layer->LayerRole() != LayerSurface::Role::Wallpaper)
            wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
        self.PushPointer(InputEvent::Kind::MouseMove);
    },
    [](void* data, wl_pointer*, uint32_t, wl_surface* surface) {
        WaylandConnection& self = Self(data);
        if (self.FPointerSurface == surface) self.FPointerSurface = nullptr;
    },
    [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
        WaylandConnection& self = Self(data);
        self.FPointerX = x;
        self.FPointerY = y;
        self.PushPointer(InputEvent::Kind::MouseMove);
    },
    [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
        if (state == WL_POINTER_BUTTON_STATE_PRESSED) Self(data).PushPointer(InputEvent::Kind::MouseButton);
    },
    [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
    [](void*, wl_pointer*) {},
    [](void*, wl_pointer*, uint32_t) {},
    [](void*, wl_pointer*, uint32_t, uint32_t) {},
    [](void*, wl_pointer*, uint32_t, int32_t) {},
    [](void*, wl_pointer*, uint32_t, int32_t) {},
};

void WaylandConnection::PushPointer(InputEvent::Kind kind) {
    const LayerSurface* surface = SurfaceOf(FPointerSurface);
    if (!surface) return;
    InputEvent event;
    event.Type = kind;
    event.Window = surface->Id();
    event.X = wl_fixed_to_int(FPointerX);
    event.Y = wl_fixed_to_int(FPointerY);
    const MonitorRect where = surface->Where();
    event.DesktopX = where.X + event.X;
    event.DesktopY = where.Y + event.Y;
    FInput.push_back(event);
}

LayerSurface* WaylandConnection::SurfaceOf(wl_surface* surface) const {
    if (!surface) return nullptr;
    for (const auto& [id, layer] : FSurfaces)
        if (layer->Surface() == surface) return layer;
    return nullptr;
}

EGLDisplay WaylandConnection::Egl() {
    if (FEgl != EGL_NO_DISPLAY) return FEgl;
    EGLDisplay egl = EglApi().eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, FDisplay, nullptr);
    if (egl == EGL_NO_DISPLAY || !EglApi().eglInitialize(egl, nullptr, nullptr))
        throw Error("EGL cannot start on the Wayland display");
    if (!EglApi().eglBindAPI(EGL_OPENGL_API)) {
        EglApi().eglTerminate(egl);
        throw Error("EGL offers no desktop OpenGL on the Wayland display");
    }
    FEgl = egl;
    return FEgl;
}

wl_output* WaylandConnection::Output(uint32_t global) const {
    const auto it = FOutputProxies.find(global);
    return it == FOutputProxies.end() ? nullptr : it->second;
}

void WaylandConnection::Dispatch(int timeoutMs) {
    while (wl_display_prepare_read(FDisplay) != 0) wl_display_dispatch_pending(FDisplay);
    wl_display_flush(FDisplay);
    pollfd fd{wl_display_get_fd(FDisplay), POLLIN, 0};
    const int ready = poll(&fd, 1, timeoutMs);
    if (ready > 0 && (fd.revents & POLLIN))
        wl_display_read_events(FDisplay);
    else
        wl_display_cancel_read(FDisplay);
    wl_display_dispatch_pending(FDisplay);
    if (const int error = wl_display_get_error(FDisplay))
        throw DisplayLost("The Wayland compositor closed the connection: " +
                          std::string(std::strerror(error)));
}

void WaylandConnection::Roundtrip() {
    if (wl_display_roundtrip(FDisplay) < 0)
        throw DisplayLost("The Wayland compositor closed the connection: " +
                          std::string(std::strerror(wl_display_get_error(FDisplay))));
}

bool WaylandConnection::TakeInput(InputEvent& event) {
    if (FInput.empty()) return false;
    event = FInput.front();
    FInput.pop_front();
    return true;
}

void WaylandConnection::AwaitKeysReleased(int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!FKeysHeld.empty()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        Dispatch(static_cast<int>(left.count()));
    }
}

uint32_t WaylandConnection::Register(LayerSurface& surface) {
    const uint32_t id = FNextId++;
    FSurfaces[id] = &surface;
    return id;
}

void WaylandConnection::Unregister(LayerSurface& surface) {
    if (FPointerSurface == surface.Surface()) FPointerSurface = nullptr;
    FSurfaces.erase(surface.Id());
}

bool WaylandConnection::IsRegistered(const LayerSurface* surface) const {
    for (const auto& [id, registered] : FSurfaces)
        if (registered == surface) return true;
    return false;
}

bool WaylandConnection::FrameDue() const {
    // Every output's frame is drawn together once all are due: a surface still waiting would have its
    // frame drawn for nothing. One that has waited too long (its output is off or hidden) is left out.
    const auto now = std::chrono::steady_clock::now();
    bool shown = false;
    bool closed = false;
    bool anyDue = false;
    bool allDue = true;
    for (const auto& [id, surface] : FSurfaces) {
        closed |= surface->Closed();
        if (!surface->Shown()) continue;
        shown = true;
        if (surface->FrameDue())
            anyDue = true;
        else if (now - surface->WaitingSince() < kLateFrame)
            allDue = false;
    }
    // Nothing shown: nothing holds the loop back, unless the outputs went: then the next frame waits
    // for one to come (it covers it). Every output off: the process sleeps.
    if (!shown) return !closed || !FOutputs.Ready().empty();
    return allDue && anyDue;
}

bool WaylandConnection::ClosedWhileOutputsStay() const {
    bool stays = false;
    for (const auto& [id, surface] : FSurfaces) {
        if (!surface->Closed()) return false;
        stays |= !surface->Output() || Output(surface->Output());
    }
    return stays;
}

} // namespace quillaby::platform
