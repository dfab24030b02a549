#include "platform/sdl/SdlDesktopOnlyModes.h"

#include <SDL.h>

#include "base/Error.h"

namespace quillaby::platform {
namespace {

class SdlDesktopOnlyModes final : public DisplayModes {
  public:
    SdlDesktopOnlyModes() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
    }
    ~SdlDesktopOnlyModes() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    bool EnumMode(int index, DisplayModeRecord& mode) override {
        if (index != 0) return false;
        mode = Desktop();
        return true;
    }
    bool TestMode(const DisplayModeRecord& mode) override { return IsDesktop(mode); }
    bool SetMode(const DisplayModeRecord& mode) override { return IsDesktop(mode); }
    void RestoreMode() override {}
    void DesktopMode(int& bitsPerPixel, int& width, int& height) override {
        const DisplayModeRecord desktop = Desktop();
        bitsPerPixel = desktop.BitsPerPixel;
        width = desktop.Width;
        height = desktop.Height;
    }

  private:
    static DisplayModeRecord Desktop() {
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
        // 8-8-8 true colour stored in 4-byte pixels is 32-bit colour.
        const int bits =
            SDL_BYTESPERPIXEL(mode.format) == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        return {mode.w, mode.h, bits, mode.refresh_rate};
    }
    static bool IsDesktop(const DisplayModeRecord& mode) {
        const DisplayModeRecord desktop = Desktop();
        return mode.Width == desktop.Width && mode.Height == desktop.Height &&
               mode.BitsPerPixel == desktop.BitsPerPixel;
    }
};

} // namespace

std::unique_ptr<DisplayModes> CreateSdlDesktopOnlyModes() {
    return std::make_unique<SdlDesktopOnlyModes>();
}

} // namespace quillaby::platform
