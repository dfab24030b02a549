#include "platform/wayland/LayerSurface.h"

#include <algorithm>

#include "platform/wayland/EglLibrary.h"
#include "platform/wayland/LayerShellProtocol.h"
#include "platform/wayland/WaylandConnection.h"
#include "viewporter-client-protocol.h"

namespace quillaby::platform {
namespace {

constexpr unsigned kGLRenderer = 0x1F01;         // GL_RENDERER
constexpr unsigned kColorBufferBit = 0x00004000; // GL_COLOR_BUFFER_BIT
constexpr int kConfigureWaitMs = 5000;           // the compositor's first configure, milliseconds
constexpr int kKeyReleaseWaitMs = 1000;          // the key that ended the run, milliseconds

EGLint ConfigAttribute(EGLDisplay egl, EGLConfig config, EGLint name) {
    EGLint value = 0;
    return EglApi().eglGetConfigAttrib(egl, config, name, &value) ? value : 0;
}

void* LookUp(const char* name) {
    return reinterpret_cast<void*>(EglApi().eglGetProcAddress(name));
}

} // namespace

LayerSurface::LayerSurface(WaylandConnection& connection, uint32_t outputGlobal, Role role, std::string title)
    : FConnection(connection), FOutput(outputGlobal), FRole(role), FTitle(std::move(title)) {
    FId = FConnection.Register(*this);
}

LayerSurface::~LayerSurface() {
    FConnection.Unregister(*this);
    EGLDisplay egl = FConnection.Egl();
    if (FEglSurface != EGL_NO_SURFACE) {
        if (EglApi().eglGetCurrentSurface(EGL_DRAW) == FEglSurface)
            EglApi().eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        EglApi().eglDestroySurface(egl, FEglSurface);
    }
    if (FEglWindow) wl_egl_window_destroy(FEglWindow);
    if (FFrameCallback) wl_callback_destroy(FFrameCallback);
    if (FLayerSurface) zwlr_layer_surface_v1_destroy(FLayerSurface);
    if (FViewport) wp_viewport_destroy(FViewport);
    if (FSurface) wl_surface_destroy(FSurface);
    wl_display_flush(FConnection.Display());
}

bool LayerSurface::ChoosePixelFormat(const GLPixelFormat& wanted) {
    EGLDisplay egl = FConnection.Egl();
    const bool highColour = wanted.ColorBits <= 16;
    const EGLint red = highColour ? 5 : 8; // blue too; green has 6 in 16-bit colour
    const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                 EGL_WINDOW_BIT,
                                 EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,
                                 red,
                                 EGL_GREEN_SIZE,
                                 highColour ? 6 : 8,
                                 EGL_BLUE_SIZE,
                                 red,
                                 EGL_DEPTH_SIZE,
                                 wanted.DepthBits,
                                 EGL_STENCIL_SIZE,
                                 wanted.StencilBits,
                                 EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    if (!EglApi().eglChooseConfig(egl, attributes, configs, 64, &count) || count == 0) return false;
    // EGL lists deeper colour first (10 bits a channel before 8): llvmpipe draws such a buffer at
    // about half the speed and the compositor converts it again. An alpha channel would let the
    // desktop show through the scene: the compositor blends with it. Exact channels, then no alpha.
    int bestRank = 4;
    for (EGLint i = 0; i < count; ++i) {
        const bool exact = ConfigAttribute(egl, configs[i], EGL_RED_SIZE) == red &&
                           ConfigAttribute(egl, configs[i], EGL_BLUE_SIZE) == red;
        const int rank = (exact ? 0 : 2) + (ConfigAttribute(egl, configs[i], EGL_ALPHA_SIZE) == 0 ? 0 : 1);
        if (rank < bestRank) {
            bestRank = rank;
            FConfig = configs[i];
        }
    }
    return true;
}

void LayerSurface::ShareConfig(const LayerSurface& other) {
    FConfig = other.FConfig;
}

const zwlr_layer_surface_v1_listener LayerSurface::kLayerListener = {
    [](void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height) {
        auto& self = *static_cast<LayerSurface*>(data);
        zwlr_layer_surface_v1_ack_configure(layer, serial);
        self.FWidth = static_cast<int>(width);
        self.FHeight = static_cast<int>(height);
        self.FConfigured = true;
        self.Resize();
    },
    [](void* data, zwlr_layer_surface_v1*) { static_cast<LayerSurface*>(data)->FClosed = true; },
};

const wl_callback_listener LayerSurface::kFrameListener = {
    [](void* data, wl_callback* callback, uint32_t) {
        auto& self = *static_cast<LayerSurface*>(data);
        wl_callback_destroy(callback);
        if (self.FFrameCallback == callback) self.FFrameCallback = nullptr;
    },
};

bool LayerSurface::SetPixelFormat() {
    if (FSurface) return true;
    if (!FConfig || !FConnection.LayerShell()) return false;
    wl_output* output = FOutput ? FConnection.Output(FOutput) : nullptr;
    if (FOutput && !output) return false;
    for (const OutputInfo& info : FConnection.Outputs().Ready())
        if (info.Global == FOutput) FScale = std::max(info.Scale, 1);

    FSurface = wl_compositor_create_surface(FConnection.Compositor());
    const bool overlay = FRole != Role::Wallpaper;
    FLayerSurface = zwlr_layer_shell_v1_get_layer_surface(
        FConnection.LayerShell(), FSurface, output,
        overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND, FTitle.c_str());
    zwlr_layer_surface_v1_add_listener(FLayerSurface, &kLayerListener, this);
    zwlr_layer_surface_v1_set_anchor(
        FLayerSurface, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                           ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // -1: drawn over panels and docks rather than beside them.
    zwlr_layer_surface_v1_set_exclusive_zone(FLayerSurface, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(FLayerSurface, FRole == Role::RenderWindow ? 1 : 0);
    zwlr_layer_surface_v1_set_size(FLayerSurface, 0, 0);
    wl_surface_set_buffer_scale(FSurface, FScale);
    FScaleSent = FScale;
    wl_surface_commit(FSurface);
    for (int waited = 0; !FConfigured && !FClosed && waited < kConfigureWaitMs; waited += 50)
        FConnection.Dispatch(50);
    if (!FConfigured) return false;

    MakeEglSurface();
    return FEglSurface != EGL_NO_SURFACE;
}

void LayerSurface::MakeEglSurface() {
    FEglWindow = wl_egl_window_create(FSurface, DrawableWidth(), DrawableHeight());
    FEglSurface = EglApi().eglCreateWindowSurface(FConnection.Egl(), FConfig,
                                                  reinterpret_cast<EGLNativeWindowType>(FEglWindow), nullptr);
}

void LayerSurface::RemakeEglSurface() {
    EGLDisplay egl = FConnection.Egl();
    const EGLContext context = EglApi().eglGetCurrentContext();
    const bool current = EglApi().eglGetCurrentSurface(EGL_DRAW) == FEglSurface;
    if (current) EglApi().eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
    EglApi().eglDestroySurface(egl, FEglSurface);
    wl_egl_window_destroy(FEglWindow);
    MakeEglSurface();
    FIntervalSet = false;
    if (current) MakeCurrent(context);
}

void LayerSurface::FollowScale(int scale) {
    scale = std::max(scale, 1);
    if (scale == FScale) return;
    FScale = scale;
    Resize(); // the buffer scale goes with the next swap
}

void LayerSurface::TakeOver(LayerSurface& other) {
    const EGLSurface current = EglApi().eglGetCurrentSurface(EGL_DRAW);
    std::swap(FOutput, other.FOutput);
    std::swap(FSurface, other.FSurface);
    std::swap(FLayerSurface, other.FLayerSurface);
    std::swap(FEglWindow, other.FEglWindow);
    std::swap(FEglSurface, other.FEglSurface);
    std::swap(FFrameCallback, other.FFrameCallback);
    std::swap(FPresented, other.FPresented);
    std::swap(FWidth, other.FWidth);
    std::swap(FHeight, other.FHeight);
    std::swap(FScale, other.FScale);
    std::swap(FScaleSent, other.FScaleSent);
    std::swap(FViewport, other.FViewport); // both go with their wl_surface
    std::swap(FPercent, other.FPercent);
    std::swap(FConfigured, other.FConfigured);
    std::swap(FClosed, other.FClosed);
    std::swap(FHidden, other.FHidden);
    std::swap(FIntervalSet, other.FIntervalSet);
    // The compositor's events follow the objects to their new owner.
    for (LayerSurface* owner : {this, &other}) {
        if (owner->FLayerSurface) zwlr_layer_surface_v1_set_user_data(owner->FLayerSurface, owner);
        if (owner->FFrameCallback) wl_callback_set_user_data(owner->FFrameCallback, owner);
    }
    // The scene's context goes on drawing here rather than on the surface now freed with `other`.
    if (current != EGL_NO_SURFACE && current == other.FEglSurface && FEglSurface != EGL_NO_SURFACE)
        EglApi().eglMakeCurrent(FConnection.Egl(), FEglSurface, FEglSurface, EglApi().eglGetCurrentContext());
    if (FLayerSurface && FRole != other.FRole) {
        zwlr_layer_surface_v1_set_keyboard_interactivity(FLayerSurface, FRole == Role::RenderWindow ? 1 : 0);
        wl_surface_commit(FSurface);
        wl_display_flush(FConnection.Display());
    }
}

bool LayerSurface::LetSystemScale(int percent) {
    percent = std::clamp(percent, 1, 100);
    if (percent == FPercent) return FPercent < 100;
    if (percent < 100 && !FViewport) {
        if (!FSurface || !FConnection.Viewporter()) return false;
        FViewport = wp_viewporter_get_viewport(FConnection.Viewporter(), FSurface);
    }
    FPercent = percent;
    Resize(); // the destination goes with the next swap
    // EGL keeps the buffer it took for the next frame (llvmpipe takes it once the context is made
    // current) at its old size: a new EGL surface draws that frame at the new one.
    if (FEglSurface != EGL_NO_SURFACE) RemakeEglSurface();
    return FPercent < 100;
}

int LayerSurface::BufferSide(int logical) const {
    const int pixels = logical * FScale;
    if (FPercent >= 100 || pixels <= 0) return pixels;
    return std::max(1, (pixels * FPercent + 50) / 100);
}

void LayerSurface::Resize() {
    // The surface keeps its logical size (-1 x -1: the buffer's own, divided by its scale).
    if (FViewport) {
        if (FPercent < 100 && FWidth > 0 && FHeight > 0)
            wp_viewport_set_destination(FViewport, FWidth, FHeight);
        else
            wp_viewport_set_destination(FViewport, -1, -1);
    }
    if (FEglWindow) wl_egl_window_resize(FEglWindow, DrawableWidth(), DrawableHeight(), 0, 0);
}

GLContextHandle LayerSurface::CreateContext() {
    if (FEglSurface == EGL_NO_SURFACE) return nullptr;
    EGLDisplay egl = FConnection.Egl();
    EGLContext context = EglApi().eglCreateContext(egl, FConfig, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return nullptr;
    if (!EglApi().eglMakeCurrent(egl, FEglSurface, FEglSurface, context)) {
        EglApi().eglDestroyContext(egl, context);
        return nullptr;
    }
    const auto getString = reinterpret_cast<const unsigned char* (*)(unsigned)>(LookUp("glGetString"));
    const unsigned char* renderer = getString ? getString(kGLRenderer) : nullptr;
    FRenderer = renderer ? reinterpret_cast<const char*>(renderer) : "";

    FChosen = GLPixelFormat{};
    FChosen.RedBits = ConfigAttribute(egl, FConfig, EGL_RED_SIZE);
    FChosen.GreenBits = ConfigAttribute(egl, FConfig, EGL_GREEN_SIZE);
    FChosen.BlueBits = ConfigAttribute(egl, FConfig, EGL_BLUE_SIZE);
    FChosen.ColorBits = FChosen.RedBits + FChosen.GreenBits + FChosen.BlueBits <= 16 ? 16 : 32;
    FChosen.AlphaBits = ConfigAttribute(egl, FConfig, EGL_ALPHA_SIZE);
    FChosen.DepthBits = ConfigAttribute(egl, FConfig, EGL_DEPTH_SIZE);
    FChosen.StencilBits = ConfigAttribute(egl, FConfig, EGL_STENCIL_SIZE);
    FChosen.DoubleBuffer = true; // EGL window surfaces always are
    FChosen.Generic = NamesSoftwareRasterizer(FRenderer);
    EglApi().eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    return context;
}

bool LayerSurface::MakeCurrent(GLContextHandle context) {
    EGLDisplay egl = FConnection.Egl();
    if (!context) return EglApi().eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    // Gone or hidden: the context stays usable (textures are freed through it) without a surface.
    if (!Shown()) {
        EglApi().eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
        return false;
    }
    if (!EglApi().eglMakeCurrent(egl, FEglSurface, FEglSurface, context)) return false;
    if (!FIntervalSet) {
        // Our own frame callbacks pace the frames: EGL's wait in every swap would only add to them.
        EglApi().eglSwapInterval(egl, 0);
        FIntervalSet = true;
    }
    return FrameDue();
}

void LayerSurface::DeleteContext(GLContextHandle context) {
    if (!context) return;
    EGLDisplay egl = FConnection.Egl();
    if (EglApi().eglGetCurrentContext() == context)
        EglApi().eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    EglApi().eglDestroyContext(egl, static_cast<EGLContext>(context));
}

void LayerSurface::SwapBuffers() {
    if (!FrameDue()) return;
    FPresented = std::chrono::steady_clock::now();
    FFrameCallback = wl_surface_frame(FSurface);
    wl_callback_add_listener(FFrameCallback, &kFrameListener, this);
    if (FScaleSent != BufferScale()) { // a new scale goes with the first buffer of the new size
        FScaleSent = BufferScale();
        wl_surface_set_buffer_scale(FSurface, FScaleSent);
    }
    EglApi().eglSwapBuffers(FConnection.Egl(), FEglSurface); // commits the surface
}

ProcAddressLookup LayerSurface::ProcLookup() const {
    return &LookUp;
}

void LayerSurface::Hide() {
    if (!FSurface || FHidden) return;
    // Once hidden, the keyboard goes back to the window below (the settings dialog). A key still
    // down then comes with the keyboard's enter before any modifiers, which SDL 2.26's Wayland
    // driver reads out of bounds for a virtual keyboard's keymap (a crash): the key that ended the
    // run is let go first.
    if (FRole == Role::RenderWindow) FConnection.AwaitKeysReleased(kKeyReleaseWaitMs);
    FHidden = true;
    if (EglApi().eglGetCurrentSurface(EGL_DRAW) == FEglSurface) {
        // Keep the context current without the surface, so what the caller frees next still works.
        EglApi().eglMakeCurrent(FConnection.Egl(), EGL_NO_SURFACE, EGL_NO_SURFACE,
                                EglApi().eglGetCurrentContext());
    }
    wl_surface_attach(FSurface, nullptr, 0, 0);
    wl_surface_commit(FSurface);
    wl_display_flush(FConnection.Display());
}

MonitorRect LayerSurface::Where() const {
    for (const OutputInfo& info : FConnection.Outputs().Ready())
        if (info.Global == FOutput) return MonitorRect{info.X, info.Y, FWidth, FHeight};
    return MonitorRect{0, 0, FWidth, FHeight};
}

void LayerSurface::PresentBlack(GLContextHandle context) {
    if (!Shown()) return;
    EGLDisplay egl = FConnection.Egl();
    const EGLContext previousContext = EglApi().eglGetCurrentContext();
    const EGLSurface previousDraw = EglApi().eglGetCurrentSurface(EGL_DRAW);
    const EGLSurface previousRead = EglApi().eglGetCurrentSurface(EGL_READ);
    if (!MakeCurrent(context)) return;
    const auto clearColor = reinterpret_cast<void (*)(float, float, float, float)>(LookUp("glClearColor"));
    const auto clear = reinterpret_cast<void (*)(unsigned)>(LookUp("glClear"));
    if (clearColor && clear) {
        clearColor(0, 0, 0, 1);
        clear(kColorBufferBit);
    }
    SwapBuffers();
    EglApi().eglMakeCurrent(egl, previousDraw, previousRead, previousContext);
}

} // namespace quillaby::platform
