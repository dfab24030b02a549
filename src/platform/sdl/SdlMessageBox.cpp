#include "platform/sdl/SdlMessageBox.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/NonInteractive.h"

namespace quillaby::platform {
namespace {

Uint32 SdlFlags(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Information:
        return SDL_MESSAGEBOX_INFORMATION;
    case MessageIcon::None:
        break;
    }
    return 0;
}

// SDL can put a box on screen only with a windowing system to show it on.
bool DisplayAvailable() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
}

class SdlMessageBox final : public MessageBox {
  public:
    SdlMessageBox(bool interactive, std::FILE* errors) : FInteractive(interactive), FErrors(errors) {}

    void Show(const std::string& text, const std::string& caption, MessageIcon icon) override {
        if (FInteractive && !NonInteractiveByEnvironment() && DisplayAvailable() &&
            SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr) == 0)
            return;
        std::FILE* out = FErrors != nullptr ? FErrors : stderr;
        std::fprintf(out, "%s\n%s\n", caption.c_str(), text.c_str());
        std::fflush(out);
    }

  private:
    bool FInteractive;
    std::FILE* FErrors;
};

} // namespace

std::unique_ptr<MessageBox> CreateSdlMessageBox(bool interactive, std::FILE* errors) {
    return std::make_unique<SdlMessageBox>(interactive, errors);
}

} // namespace quillaby::platform
