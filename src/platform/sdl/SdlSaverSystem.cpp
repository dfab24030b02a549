#include <SDL.h>

#include "platform/SaverSystem.h"

namespace quillaby::platform {
namespace {

class SdlSaverSystem final : public SaverSystem {
  public:
    SdlSaverSystem() {
        // SDL stops the desktop's blanking whenever video starts; only the flag decides that here.
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    }
    void SetScreenSaverRunning(bool running) override {
        if (running)
            SDL_DisableScreenSaver();
        else
            SDL_EnableScreenSaver();
    }
    WindowHandle ForegroundWindow() override { return 0; }
    bool PasswordRequired() override { return false; }
    std::function<bool(WindowHandle)> LoadVerifyPassword() override { return {}; }
    std::function<void(WindowHandle)> LoadChangePassword() override { return {}; }
};

} // namespace

std::unique_ptr<SaverSystem> CreateSdlSaverSystem() {
    return std::make_unique<SdlSaverSystem>();
}

} // namespace quillaby::platform
