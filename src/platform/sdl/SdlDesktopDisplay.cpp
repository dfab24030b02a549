#include <SDL.h>

#include "base/Error.h"
#include "platform/DesktopDisplay.h"

namespace quillaby::platform {
namespace {

class SdlDesktopDisplay final : public DesktopDisplay {
  public:
    SdlDesktopDisplay() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
    }
    ~SdlDesktopDisplay() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    ScreenMode DesktopMode() override {
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
        const int depth =
            SDL_BYTESPERPIXEL(mode.format) == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        return {mode.w, mode.h, depth};
    }
    ScreenMode CurrentMode() override { return DesktopMode(); }
    void SetFullScreen(bool on) override { fullScreen_ = on; }
    bool FullScreen() const override { return fullScreen_; }

  private:
    bool fullScreen_ = false;
};

} // namespace

std::unique_ptr<DesktopDisplay> CreateSdlDesktopDisplay() {
    return std::make_unique<SdlDesktopDisplay>();
}

} // namespace quillaby::platform
