#pragma once
// The display's modes through SDL (display 0). A switch happens the way SDL does it: through the
// full-screen window attached here (SDL_SetWindowDisplayMode + SDL_WINDOW_FULLSCREEN). A mode set
// before the window exists is applied when it is attached; "no mode" or a switch that fails makes
// the window cover the desktop in its own mode (SDL_WINDOW_FULLSCREEN_DESKTOP). On X11 a rescue (the
// watchdog process the Linux services give) restores the desktop's mode should the program die while
// switched.
#include <SDL.h>

#include <memory>
#include <optional>

#include "platform/DisplayModes.h"
#include "platform/ModeRescue.h"

namespace quillaby::platform {

class SdlDisplayModes final : public DisplayModes {
  public:
    // Initialises SDL's video subsystem (raises quillaby::Error with SDL's reason when it cannot).
    // `startRescue` is called at the first switch on X11, where no switch happens without a rescue.
    explicit SdlDisplayModes(ModeRescueStart startRescue);
    ~SdlDisplayModes() override;
    SdlDisplayModes(const SdlDisplayModes&) = delete;
    SdlDisplayModes& operator=(const SdlDisplayModes&) = delete;

    bool EnumMode(int index, DisplayModeRecord& mode) override;
    bool TestMode(const DisplayModeRecord& mode) override;
    bool SetMode(const DisplayModeRecord& mode) override;
    void RestoreMode() override;
    void DesktopMode(int& bitsPerPixel, int& width, int& height) override;

    // The full-screen window; it is made full screen at once, in the mode set if there is one.
    // Returns false when that mode could not be set (the window then covers the desktop).
    bool AttachWindow(const GLWindow& window) override;
    bool AttachWindow(SDL_Window* window);
    // The desktop's mode comes back; a mode still set is applied again to the next window attached.
    // Call it before destroying the window (SDL leaves the mode then too, but a destroyed window is
    // only noticed at the next call here).
    void DetachWindow() override;

    // Bits per pixel as the program counts them: a 4-byte true-colour pixel is 32-bit colour.
    static int BitsOf(Uint32 format);

  private:
    std::optional<SDL_DisplayMode> FindMode(const DisplayModeRecord& mode) const;
    // The attached window, null when none is or it has been destroyed meanwhile (SDL then left its
    // mode already).
    SDL_Window* Window();
    bool Apply();
    void LeaveMode();

    Uint32 FWindowId = 0; // by id: a window destroyed without DetachWindow is noticed, not touched
    std::optional<SDL_DisplayMode> FWanted; // set and not restored
    bool FSwitched = false;                 // the display is in FWanted now
    ModeRescueStart FStartRescue;
    std::unique_ptr<ModeRescue> FRescue;
};

} // namespace quillaby::platform
