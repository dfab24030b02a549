#include "platform/sdl/SdlDialogWindow.h"

#include <imgui.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_sdl.h>

#include <algorithm>
#include <cstring>

#include <utility>

#include "base/Error.h"

namespace quillaby::platform {

SdlDialogWindow::SdlDialogWindow(std::unique_ptr<DialogGL> gl, const std::string& title, int width,
                                 int height, bool hidden, int scale)
    : FGl(std::move(gl)), FWidth(width), FHeight(height), FScale(std::max(1, scale)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
    const char* driver = SDL_GetCurrentVideoDriver();
    FOffscreen = driver && std::strcmp(driver, "offscreen") == 0;
    // True colour with a depth buffer, so that the preview's scene can draw into a part of it.
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    FWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, PixelWidth(),
                               PixelHeight(), SDL_WINDOW_OPENGL | (hidden ? SDL_WINDOW_HIDDEN : 0));
    if (!FWindow) {
        const std::string reason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw Error("The dialog window cannot be created: " + reason);
    }
    // A window whose least and largest sizes are the same is a fixed-size dialog: tiling window
    // managers and compositors (i3, sway) float it at that size instead of tiling it.
    SDL_SetWindowMinimumSize(FWindow, PixelWidth(), PixelHeight());
    SDL_SetWindowMaximumSize(FWindow, PixelWidth(), PixelHeight());
    FContext = SDL_GL_CreateContext(FWindow);
    if (!FContext) {
        const std::string reason = SDL_GetError();
        SDL_DestroyWindow(FWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw Error("The dialog's OpenGL context cannot be created: " + reason);
    }
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui_ImplSDL2_InitForOpenGL(FWindow, FContext);
    ImGui_ImplOpenGL2_Init();
}

SdlDialogWindow::~SdlDialogWindow() {
    // The owner gets its input back before the window goes, so the system activates the owner.
    FOwner.reset();
    MakeCurrent();
    for (unsigned texture : FTextures) FGl->DeleteTexture(texture);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    SDL_GL_MakeCurrent(FWindow, nullptr);
    SDL_GL_DeleteContext(FContext);
    SDL_DestroyWindow(FWindow);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// The GUI draws through the process-wide GL table, which the scene's engine loads and unloads as
// render windows come and go: it is loaded again whenever the GUI finds it empty.
void SdlDialogWindow::MakeCurrent() {
    FGl->Load();
    SDL_GL_MakeCurrent(FWindow, FContext);
}

bool SdlDialogWindow::PumpEvents() {
    bool close = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        ImGui_ImplSDL2_ProcessEvent(&event);
        if (event.type == SDL_QUIT) close = true;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE &&
            event.window.windowID == SDL_GetWindowID(FWindow))
            close = true;
        // A key goes down in a frame of its own: ImGui 1.86 would miss a press and release seen together.
        if (event.type == SDL_KEYDOWN) break;
        const bool held = FButtonDown[0] || FButtonDown[1] || FButtonDown[2];
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_LEAVE && !held)
            FPointerInside = false;
        if (event.type == SDL_MOUSEMOTION && event.motion.windowID == SDL_GetWindowID(FWindow)) {
            FPointerInside = true;
            FPointerX = event.motion.x;
            FPointerY = event.motion.y;
            if (held) break;
        }
        if ((event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) &&
            event.button.windowID == SDL_GetWindowID(FWindow) && event.button.button >= 1 &&
            event.button.button <= 3) {
            const int button = event.button.button == SDL_BUTTON_LEFT    ? 0
                               : event.button.button == SDL_BUTTON_RIGHT ? 1
                                                                         : 2;
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            FButtonDown[button] = down;
            if (down) FButtonPressed[button] = true;
            FPointerInside = true;
            FPointerX = event.button.x;
            FPointerY = event.button.y;
            break;
        }
    }
    return close;
}

void SdlDialogWindow::BeginFrame() {
    MakeCurrent();
    if (FFontsStale) ImGui_ImplOpenGL2_DestroyFontsTexture(); // NewFrame uploads the new atlas
    FFontsStale = false;
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    // The dialog's size is fixed: ImGui sees the designed client area whatever the window manager did.
    io.DisplaySize = ImVec2(static_cast<float>(FWidth), static_cast<float>(FHeight));
    io.DisplayFramebufferScale = ImVec2(static_cast<float>(FScale), static_cast<float>(FScale));
    // The buttons and the pointer as the processed events left them: the backend asks X for the
    // newest state, which may include events still queued, and was seen to answer stale positions
    // while a button is held.
    io.MousePos = FPointerInside
                      ? ImVec2(static_cast<float>(FPointerX) / FScale, static_cast<float>(FPointerY) / FScale)
                      : ImVec2(-FLT_MAX, -FLT_MAX);
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = FButtonDown[i] || FButtonPressed[i];
        FButtonPressed[i] = false;
    }
    ImGui::NewFrame();
}

void SdlDialogWindow::RenderFrame() {
    ImGui::Render();
    MakeCurrent();
    FGl->Viewport(PixelWidth(), PixelHeight());
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}

void SdlDialogWindow::Present() {
    // The offscreen driver presents nothing: wait for the frame so frames cannot pile up.
    if (FOffscreen) FGl->Finish();
    SDL_GL_SwapWindow(FWindow);
}

void SdlDialogWindow::SetTitle(const std::string& title) {
    SDL_SetWindowTitle(FWindow, title.c_str());
}

void SdlDialogWindow::Show() {
    SDL_ShowWindow(FWindow);
}

void SdlDialogWindow::Hide() {
    SDL_HideWindow(FWindow);
}

void SdlDialogWindow::Focus() {
    SDL_RaiseWindow(FWindow);
    SDL_SetWindowInputFocus(FWindow);
}

void SdlDialogWindow::FollowDensity(ScaleRule rule) {
    if (!FDesktop || FScaleRule) return;
    FScaleRule = std::move(rule);
    FDesktop->FollowDensity(FWindow, [this](const DisplayDensity& density, const MonitorRect& frame) {
        MoveToDensity(density, frame);
    });
}

bool SdlDialogWindow::TakeScaleChange() {
    const bool changed = FScaleChanged;
    FFontsStale = FFontsStale || changed;
    FScaleChanged = false;
    return changed;
}

void SdlDialogWindow::MoveToDensity(const DisplayDensity& density, const MonitorRect& frame) {
    const int scale = std::max(1, FScaleRule(density));
    if (scale != FScale) {
        const bool grows = scale > FScale;
        FScale = scale;
        FScaleChanged = true;
        // SDL refuses a least size above the largest one, and the reverse: the bound that moves away
        // from the other goes first.
        if (grows) SDL_SetWindowMaximumSize(FWindow, PixelWidth(), PixelHeight());
        SDL_SetWindowMinimumSize(FWindow, PixelWidth(), PixelHeight());
        if (!grows) SDL_SetWindowMaximumSize(FWindow, PixelWidth(), PixelHeight());
        SDL_SetWindowSize(FWindow, PixelWidth(), PixelHeight());
        FPointerInside = false; // its window pixels were of the old scale; the next move tells
    }
    // SDL places the client area; the suggestion is the frame's.
    int top = 0, left = 0;
    if (SDL_GetWindowBordersSize(FWindow, &top, &left, nullptr, nullptr) != 0) top = left = 0;
    SDL_SetWindowPosition(FWindow, frame.X + left, frame.Y + top);
}

GLWindowOptions SdlDialogWindow::AreaOptions(int left, int top, int width, int height) const {
    GLWindowOptions options;
    options.X = left * FScale;
    options.Y = top * FScale;
    options.Width = width * FScale;
    options.Height = height * FScale;
    options.Host = FWindow;
    return options;
}

void* SdlDialogWindow::CreateTexture(const std::vector<uint8_t>& rgba, int width, int height) {
    MakeCurrent();
    const unsigned texture = FGl->CreateTexture(rgba, width, height);
    FTextures.push_back(texture);
    return reinterpret_cast<void*>(static_cast<intptr_t>(texture));
}

std::vector<uint8_t> SdlDialogWindow::ReadPixels() const {
    SDL_GL_MakeCurrent(FWindow, FContext);
    const int width = PixelWidth();
    const int height = PixelHeight();
    const std::vector<uint8_t> rows = FGl->ReadBackBuffer(width, height);
    std::vector<uint8_t> image(rows.size());
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(&rows[(height - 1 - y) * stride], stride, &image[y * stride]);
    return image;
}

} // namespace quillaby::platform
