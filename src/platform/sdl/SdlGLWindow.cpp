#include "platform/sdl/SdlGLWindow.h"

#include <cstring>

#include "base/Error.h"

#ifdef SDL_VIDEO_DRIVER_WINDOWS
#include <SDL_syswm.h>
#endif

namespace quillaby::platform {

namespace {

constexpr unsigned kGLRenderer = 0x1F01; // GL_RENDERER

int Attribute(SDL_GLattr attribute) {
    int value = 0;
    return SDL_GL_GetAttribute(attribute, &value) == 0 ? value : 0;
}

// The GL driver, once loaded for a window, stays loaded for the life of the process: windows come
// and go (panel previews, full-screen runs) and reloading the driver each time only costs. The
// references taken here are never given back; the process's end frees them.
void KeepGLDriverLoaded() {
    static const bool kept = [] {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        return SDL_GL_LoadLibrary(nullptr) == 0;
    }();
    (void)kept;
}

Uint32 WindowFlags(const GLWindowOptions& options) {
    Uint32 flags = 0;
    if (options.FullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (options.Borderless) flags |= SDL_WINDOW_BORDERLESS;
    if (options.Resizable) flags |= SDL_WINDOW_RESIZABLE;
    if (options.AlwaysOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (options.SkipTaskbar) flags |= SDL_WINDOW_SKIP_TASKBAR;
    if (options.Hidden) flags |= SDL_WINDOW_HIDDEN;
    return flags;
}

} // namespace

void SetUpSaverWindow(SDL_Window* window, const SaverWindowSetup& setup) {
#ifdef SDL_VIDEO_DRIVER_WINDOWS
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && setup && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_WINDOWS)
        setup(info.info.win.window);
#else
    (void)window;
    (void)setup;
#endif
}

SdlGLWindow::SdlGLWindow(GLWindowOptions options, SdlDesktop* desktop, SaverWindowSetup setupSaverWindow)
    : FOptions(std::move(options)), FDesktop(desktop), FSetupSaverWindow(std::move(setupSaverWindow)) {
    if (FOptions.SaverInput) {
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        // SDL would otherwise drop the click that focused the window.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
    KeepGLDriverLoaded();
    const char* driver = SDL_GetCurrentVideoDriver();
    FOffscreen = driver && std::strcmp(driver, "offscreen") == 0;
}

SdlGLWindow::~SdlGLWindow() {
    if (FWindow && !FOptions.Host) SDL_DestroyWindow(FWindow);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlGLWindow::ChoosePixelFormat(const GLPixelFormat& wanted) {
    SDL_GL_ResetAttributes();
    // 16-bit colour is 5-6-5; anything more asks for 8 bits a channel. Requests are minimums.
    const bool highColour = wanted.ColorBits <= 16;
    const int accumulation = wanted.AccumBits / 4;
    const std::pair<SDL_GLattr, int> attributes[] = {
        {SDL_GL_RED_SIZE, highColour ? 5 : 8},
        {SDL_GL_GREEN_SIZE, highColour ? 6 : 8},
        {SDL_GL_BLUE_SIZE, highColour ? 5 : 8},
        {SDL_GL_ALPHA_SIZE, wanted.AlphaBits},
        {SDL_GL_DEPTH_SIZE, wanted.DepthBits},
        {SDL_GL_STENCIL_SIZE, wanted.StencilBits},
        {SDL_GL_ACCUM_RED_SIZE, accumulation},
        {SDL_GL_ACCUM_GREEN_SIZE, accumulation},
        {SDL_GL_ACCUM_BLUE_SIZE, accumulation},
        {SDL_GL_ACCUM_ALPHA_SIZE, accumulation},
        {SDL_GL_DOUBLEBUFFER, wanted.DoubleBuffer ? 1 : 0},
    };
    for (const auto& [attribute, value] : attributes)
        if (SDL_GL_SetAttribute(attribute, value) != 0) return false;
    return true;
}

bool SdlGLWindow::SetPixelFormat() {
    if (FWindow) return true; // a window keeps the format it was made with
    if (FOptions.Host) {
        FWindow = static_cast<SDL_Window*>(FOptions.Host);
        return true;
    }
    if (FOptions.ForeignWindow) {
        // SDL then makes the context with the window's own visual.
        SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
        FWindow = SDL_CreateWindowFrom(
            reinterpret_cast<const void*>(static_cast<uintptr_t>(FOptions.ForeignWindow)));
        return FWindow != nullptr;
    }
    FWindow = SDL_CreateWindow(FOptions.Title.c_str(), FOptions.X.value_or(SDL_WINDOWPOS_UNDEFINED),
                               FOptions.Y.value_or(SDL_WINDOWPOS_UNDEFINED), FOptions.Width, FOptions.Height,
                               SDL_WINDOW_OPENGL | WindowFlags(FOptions));
    if (FOptions.SaverInput) SetUpSaverWindow(FWindow, FSetupSaverWindow);
    return FWindow != nullptr;
}

GLContextHandle SdlGLWindow::CreateContext() {
    if (!FWindow) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(FWindow); // current on success
    if (!context) return nullptr;
    ReadBackFormat();
    if (FOptions.Host) ClipToArea();
    SDL_GL_MakeCurrent(FWindow, nullptr);
    return context;
}

void SdlGLWindow::ReadBackFormat() {
    const int red = Attribute(SDL_GL_RED_SIZE);
    const int green = Attribute(SDL_GL_GREEN_SIZE);
    const int blue = Attribute(SDL_GL_BLUE_SIZE);
    FChosen = GLPixelFormat{};
    // 8-8-8 true colour is stored in 32-bit pixels.
    FChosen.ColorBits = red + green + blue <= 16 ? 16 : 32;
    FChosen.AlphaBits = Attribute(SDL_GL_ALPHA_SIZE);
    FChosen.DepthBits = Attribute(SDL_GL_DEPTH_SIZE);
    FChosen.StencilBits = Attribute(SDL_GL_STENCIL_SIZE);
    FChosen.AccumBits = Attribute(SDL_GL_ACCUM_RED_SIZE) + Attribute(SDL_GL_ACCUM_GREEN_SIZE) +
                        Attribute(SDL_GL_ACCUM_BLUE_SIZE) + Attribute(SDL_GL_ACCUM_ALPHA_SIZE);
    FChosen.DoubleBuffer = Attribute(SDL_GL_DOUBLEBUFFER) != 0;
    FChosen.RedBits = red;
    FChosen.GreenBits = green;
    FChosen.BlueBits = blue;

    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* renderer = getString ? getString(kGLRenderer) : nullptr;
    FRenderer = renderer ? reinterpret_cast<const char*>(renderer) : "";
    FChosen.Generic =
        FDesktop ? FDesktop->GenericFormat(FWindow, FRenderer) : NamesSoftwareRasterizer(FRenderer);
    FFinish = reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress("glFinish"));
}

void SdlGLWindow::ClipToArea() {
    // Clearing the whole window would wipe the host's drawing: this context only ever touches its
    // own rectangle.
    using Scissor = void (*)(int, int, int, int);
    using Enable = void (*)(unsigned);
    const auto scissor = reinterpret_cast<Scissor>(SDL_GL_GetProcAddress("glScissor"));
    const auto enable = reinterpret_cast<Enable>(SDL_GL_GetProcAddress("glEnable"));
    constexpr unsigned kScissorTest = 0x0C11; // GL_SCISSOR_TEST
    if (!scissor || !enable) return;
    scissor(DrawableLeft(), DrawableBottom(), DrawableWidth(), DrawableHeight());
    enable(kScissorTest);
}

bool SdlGLWindow::SetPalette(const std::vector<PaletteEntry>&) {
    return false; // SDL never chooses a palette format
}

bool SdlGLWindow::MakeCurrent(GLContextHandle context) {
    if (!FWindow) return context == nullptr;
    return SDL_GL_MakeCurrent(FWindow, static_cast<SDL_GLContext>(context)) == 0;
}

void SdlGLWindow::DeleteContext(GLContextHandle context) {
    if (context) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void SdlGLWindow::SwapBuffers() {
    if (!FWindow || FOptions.Host) return; // the host presents the whole window
    if (FOffscreen && FFinish && SDL_GL_GetCurrentContext()) FFinish();
    SDL_GL_SwapWindow(FWindow);
}

ProcAddressLookup SdlGLWindow::ProcLookup() const {
    return &SDL_GL_GetProcAddress;
}

int SdlGLWindow::DrawableWidth() const {
    if (FOptions.Host) return FOptions.Width;
    int width = 0;
    int height = 0;
    if (FWindow) SDL_GL_GetDrawableSize(FWindow, &width, &height);
    return width;
}

int SdlGLWindow::DrawableHeight() const {
    if (FOptions.Host) return FOptions.Height;
    int width = 0;
    int height = 0;
    if (FWindow) SDL_GL_GetDrawableSize(FWindow, &width, &height);
    return height;
}

int SdlGLWindow::DrawableLeft() const {
    return FOptions.Host ? FOptions.X.value_or(0) : 0;
}

int SdlGLWindow::DrawableBottom() const {
    if (!FOptions.Host) return 0;
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(FOptions.Host), &width, &height);
    return height - FOptions.Y.value_or(0) - FOptions.Height;
}

uint32_t SdlGLWindow::Id() const {
    return FWindow ? SDL_GetWindowID(FWindow) : 0;
}

std::string SdlGLWindow::Title() const {
    return FWindow ? SDL_GetWindowTitle(FWindow) : "";
}

void SdlGLWindow::SetTitle(const std::string& title) {
    if (FWindow) SDL_SetWindowTitle(FWindow, title.c_str());
}

void SdlGLWindow::Hide() {
    if (FWindow) SDL_HideWindow(FWindow);
}

void SdlGLWindow::TakeInput() {
    if (!FWindow) return;
    SDL_RaiseWindow(FWindow);
    SDL_SetWindowInputFocus(FWindow);
    SDL_CaptureMouse(SDL_TRUE);
}

void SdlGLWindow::KeepInputFocus() {
    if (!FWindow) return;
    const Uint32 flags = SDL_GetWindowFlags(FWindow);
    if ((flags & SDL_WINDOW_SHOWN) && !(flags & SDL_WINDOW_INPUT_FOCUS)) SDL_SetWindowInputFocus(FWindow);
}

} // namespace quillaby::platform
