#include "platform/sdl/SdlGLWindow.h"

#include <cstring>

#include "base/Error.h"

namespace quillaby::platform {

namespace {

constexpr unsigned kGLRenderer = 0x1F01; // GL_RENDERER

int Attribute(SDL_GLattr attribute) {
    int value = 0;
    return SDL_GL_GetAttribute(attribute, &value) == 0 ? value : 0;
}

bool NamesSoftwareRasterizer(const std::string& renderer) {
    for (const char* name : {"llvmpipe", "softpipe", "swrast"})
        if (renderer.find(name) != std::string::npos) return true;
    return false;
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

} // namespace

SdlGLWindow::SdlGLWindow(SdlGLWindowOptions options) : options_(std::move(options)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
    KeepGLDriverLoaded();
    const char* driver = SDL_GetCurrentVideoDriver();
    offscreen_ = driver && std::strcmp(driver, "offscreen") == 0;
}

SdlGLWindow::~SdlGLWindow() {
    if (window_) SDL_DestroyWindow(window_);
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
    if (window_) return true; // a window keeps the format it was made with
    if (options_.ForeignWindow) {
        // SDL then makes the context with the window's own visual.
        SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
        window_ = SDL_CreateWindowFrom(
            reinterpret_cast<const void*>(static_cast<uintptr_t>(options_.ForeignWindow)));
        return window_ != nullptr;
    }
    window_ = SDL_CreateWindow(options_.Title.c_str(), options_.X, options_.Y, options_.Width,
                               options_.Height, SDL_WINDOW_OPENGL | options_.Flags);
    return window_ != nullptr;
}

GLContextHandle SdlGLWindow::CreateContext() {
    if (!window_) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(window_); // current on success
    if (!context) return nullptr;
    ReadBackFormat();
    SDL_GL_MakeCurrent(window_, nullptr);
    return context;
}

void SdlGLWindow::ReadBackFormat() {
    const int red = Attribute(SDL_GL_RED_SIZE);
    const int green = Attribute(SDL_GL_GREEN_SIZE);
    const int blue = Attribute(SDL_GL_BLUE_SIZE);
    chosen_ = GLPixelFormat{};
    // 8-8-8 true colour is stored in 32-bit pixels.
    chosen_.ColorBits = red + green + blue <= 16 ? 16 : 32;
    chosen_.AlphaBits = Attribute(SDL_GL_ALPHA_SIZE);
    chosen_.DepthBits = Attribute(SDL_GL_DEPTH_SIZE);
    chosen_.StencilBits = Attribute(SDL_GL_STENCIL_SIZE);
    chosen_.AccumBits = Attribute(SDL_GL_ACCUM_RED_SIZE) + Attribute(SDL_GL_ACCUM_GREEN_SIZE) +
                        Attribute(SDL_GL_ACCUM_BLUE_SIZE) + Attribute(SDL_GL_ACCUM_ALPHA_SIZE);
    chosen_.DoubleBuffer = Attribute(SDL_GL_DOUBLEBUFFER) != 0;
    chosen_.RedBits = red;
    chosen_.GreenBits = green;
    chosen_.BlueBits = blue;

    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* renderer = getString ? getString(kGLRenderer) : nullptr;
    renderer_ = renderer ? reinterpret_cast<const char*>(renderer) : "";
    chosen_.Generic = NamesSoftwareRasterizer(renderer_);
    finish_ = reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress("glFinish"));
}

bool SdlGLWindow::SetPalette(const std::vector<PaletteEntry>&) {
    return false; // SDL never chooses a palette format
}

bool SdlGLWindow::MakeCurrent(GLContextHandle context) {
    if (!window_) return context == nullptr;
    return SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(context)) == 0;
}

void SdlGLWindow::DeleteContext(GLContextHandle context) {
    if (context) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void SdlGLWindow::SwapBuffers() {
    if (!window_) return;
    if (offscreen_ && finish_ && SDL_GL_GetCurrentContext()) finish_();
    SDL_GL_SwapWindow(window_);
}

ProcAddressLookup SdlGLWindow::ProcLookup() const {
    return &SDL_GL_GetProcAddress;
}

int SdlGLWindow::DrawableWidth() const {
    int width = 0;
    int height = 0;
    if (window_) SDL_GL_GetDrawableSize(window_, &width, &height);
    return width;
}

int SdlGLWindow::DrawableHeight() const {
    int width = 0;
    int height = 0;
    if (window_) SDL_GL_GetDrawableSize(window_, &width, &height);
    return height;
}

} // namespace quillaby::platform
