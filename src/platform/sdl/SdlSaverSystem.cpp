#include <SDL.h>

#include "platform/SaverSystem.h"
#include "platform/x11/X11BlankingHold.h"

namespace quillaby::platform {
namespace {

class SdlSaverSystem final : public SaverSystem {
  public:
    SdlSaverSystem() {
        // SDL stops the desktop's blanking whenever video starts; only the flag decides that here.
        // SDL's own switch would not do for the flag: it is lost when set before video starts.
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    }
    // Set and cleared in pairs that may nest (the dialog's full-screen preview inside a run that
    // holds the blanking off throughout).
    void SetScreenSaverRunning(bool running) override {
        if (running)
            FBlanking.Hold();
        else
            FBlanking.Release();
    }
    WindowHandle ForegroundWindow() override { return 0; }
    WindowHandleText HandleText() const override { return XWindowIds; }
    bool PasswordRequired() override { return false; }
    std::function<bool(WindowHandle)> LoadVerifyPassword() override { return {}; }
    std::function<void(WindowHandle)> LoadChangePassword() override { return {}; }

  private:
    X11BlankingHold FBlanking;
};

} // namespace

std::unique_ptr<SaverSystem> CreateSdlSaverSystem() {
    return std::make_unique<SdlSaverSystem>();
}

} // namespace quillaby::platform
