#pragma once
// The GL surface on an SDL window. The requested bits go to SDL_GL_SetAttribute before the window
// exists, so the window is created when the engine sets the pixel format; what the driver chose is
// read back from the context. Works on a visible window (full screen, borderless, resizable), on a
// window another program made (hack mode), and with SDL's "offscreen" video driver, whose swap
// presents nothing: there every swap waits for the frame to finish (glFinish) so frames cannot pile
// up in the driver.
#include <SDL.h>

#include <functional>
#include <string>

#include "platform/GLWindow.h"
#include "platform/sdl/SdlDesktop.h"

namespace quillaby::platform {

// What the system does to a saver window SDL made, given the system's own handle of it.
using SaverWindowSetup = std::function<void(void* systemWindow)>;
// Gives `setup` the system's own handle of `window` where SDL runs on Windows' own windows.
void SetUpSaverWindow(SDL_Window* window, const SaverWindowSetup& setup);

class SdlGLWindow : public GLWindow {
  public:
    // Initialises SDL's video subsystem (raises quillaby::Error with SDL's reason when it cannot).
    // The desktop, when given, tells a software renderer (else the renderer string does); it must
    // outlive the window. `setupSaverWindow` is given each window made with SaverInput on Windows.
    explicit SdlGLWindow(GLWindowOptions options, SdlDesktop* desktop = nullptr,
                         SaverWindowSetup setupSaverWindow = {});
    ~SdlGLWindow() override;
    SdlGLWindow(const SdlGLWindow&) = delete;
    SdlGLWindow& operator=(const SdlGLWindow&) = delete;

    bool ChoosePixelFormat(const GLPixelFormat& wanted) override;
    bool SetPixelFormat() override;
    GLContextHandle CreateContext() override;
    GLPixelFormat DescribePixelFormat() override { return FChosen; }
    bool SetPalette(const std::vector<PaletteEntry>& entries) override;
    bool MakeCurrent(GLContextHandle context) override;
    void DeleteContext(GLContextHandle context) override;
    void SwapBuffers() override;
    ProcAddressLookup ProcLookup() const override;
    int DrawableWidth() const override;
    int DrawableHeight() const override;
    int DrawableLeft() const override;
    int DrawableBottom() const override;

    NativeWindow Native() const override { return FWindow; }
    uint32_t Id() const override;
    std::string Title() const override;
    void SetTitle(const std::string& title) override;
    void Hide() override;
    void TakeInput() override;
    void KeepInputFocus() override;
    const std::string& Renderer() const override { return FRenderer; }

    // The window, null until SetPixelFormat created it.
    SDL_Window* Window() const { return FWindow; }

  private:
    void ReadBackFormat();
    void ClipToArea();

    GLWindowOptions FOptions;
    SdlDesktop* FDesktop;
    SaverWindowSetup FSetupSaverWindow;
    SDL_Window* FWindow = nullptr;
    GLPixelFormat FChosen;
    std::string FRenderer;
    bool FOffscreen = false;
    void (*FFinish)() = nullptr;
};

} // namespace quillaby::platform
