#pragma once
// The dialog window on SDL: the window, the GUI's own OpenGL context, ImGui's SDL and OpenGL2
// backends, and SDL's event queue.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/DialogGL.h"
#include "platform/DialogWindow.h"
#include "platform/sdl/SdlDesktop.h"

namespace quillaby::platform {

class SdlDialogWindow : public DialogWindow {
  public:
    // Creates the window centred on the desktop and the ImGui context (no imgui.ini, no log file).
    // Raises quillaby::Error with SDL's reason when it cannot. width and height are design pixels;
    // the window has `scale` times as many, and ImGui draws in design pixels scaled up to them.
    SdlDialogWindow(std::unique_ptr<DialogGL> gl, const std::string& title, int width, int height,
                    bool hidden = false, int scale = 1);
    ~SdlDialogWindow() override;
    SdlDialogWindow(const SdlDialogWindow&) = delete;
    SdlDialogWindow& operator=(const SdlDialogWindow&) = delete;

    bool PumpEvents() override;
    void BeginFrame() override;
    void RenderFrame() override;
    void Present() override;
    void SetTitle(const std::string& title) override;
    void Show() override;
    void Hide() override;
    void Focus() override;
    GLWindowOptions AreaOptions(int left, int top, int width, int height) const override;
    void* CreateTexture(const std::vector<uint8_t>& rgba, int width, int height) override;
    std::vector<uint8_t> ReadPixels() const override;
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    int Scale() const override { return FScale; }
    void FollowDensity(ScaleRule rule) override;
    bool TakeScaleChange() override;
    SDL_Window* Window() const { return FWindow; }
    // Keeps another window's ownership of this one until the window closes (null: none).
    void HoldOwner(std::unique_ptr<DialogOwnership> ownership) { FOwner = std::move(ownership); }
    // Where the window hears of density moves from (set before FollowDensity); must outlive the window.
    void SetDesktop(SdlDesktop* desktop) { FDesktop = desktop; }

  private:
    void MakeCurrent();
    // On a monitor of `density`: the rule's scale and the suggested frame's place.
    void MoveToDensity(const DisplayDensity& density, const MonitorRect& frame);

    std::unique_ptr<DialogGL> FGl;
    SDL_Window* FWindow = nullptr;
    SDL_GLContext FContext = nullptr;
    std::unique_ptr<DialogOwnership> FOwner;
    SdlDesktop* FDesktop = nullptr;
    ScaleRule FScaleRule;
    bool FScaleChanged = false; // since TakeScaleChange
    bool FFontsStale = false;   // the GPU's copy of ImGui's fonts is of the old scale
    int FWidth;
    int FHeight;
    int FScale;
    bool FOffscreen = false;
    std::vector<unsigned> FTextures;
    // The pointer as the events processed so far left it (window pixels, not design pixels).
    bool FPointerInside = false; // over the window, or held down since it was
    int FPointerX = 0, FPointerY = 0;
    bool FButtonDown[3] = {};
    bool FButtonPressed[3] = {}; // went down since the last frame
};

} // namespace quillaby::platform
