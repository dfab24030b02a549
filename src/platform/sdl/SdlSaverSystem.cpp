#include "platform/sdl/SdlSaverSystem.h"

#include <SDL.h>

#include <utility>

namespace quillaby::platform {
namespace {

class SdlSaverSystem final : public SaverSystem {
  public:
    explicit SdlSaverSystem(std::unique_ptr<BlankingHold> blanking) : FBlanking(std::move(blanking)) {
        // SDL stops the desktop's blanking whenever video starts; only the flag decides that here.
        // SDL's own switch would not do for the flag: it is lost when set before video starts.
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    }
    // Set and cleared in pairs that may nest (the dialog's full-screen preview inside a run that
    // holds the blanking off throughout).
    void SetScreenSaverRunning(bool running) override {
        if (running)
            FBlanking->Hold();
        else
            FBlanking->Release();
    }
    WindowHandle ForegroundWindow() override { return 0; }
    WindowHandleText HandleText() const override { return XWindowIds; }
    bool PasswordRequired() override { return false; }
    std::function<bool(WindowHandle)> LoadVerifyPassword() override { return {}; }
    std::function<void(WindowHandle)> LoadChangePassword() override { return {}; }

  private:
    std::unique_ptr<BlankingHold> FBlanking;
};

} // namespace

std::unique_ptr<SaverSystem> CreateSdlSaverSystem(std::unique_ptr<BlankingHold> blanking) {
    return std::make_unique<SdlSaverSystem>(std::move(blanking));
}

} // namespace quillaby::platform
