#include "platform/sdl/SdlDisplayPower.h"

#include <SDL.h>

namespace quillaby::platform {
namespace {

class SdlDisplayPower final : public DisplayPower {
  public:
    explicit SdlDisplayPower(std::function<bool()> poweredDown) : FPoweredDown(std::move(poweredDown)) {}
    bool On() override { return !FPoweredDown || !FPoweredDown(); }
    // The event stays queued for the loop that reads it.
    void Wait(int milliseconds) override { SDL_WaitEventTimeout(nullptr, milliseconds); }

  private:
    std::function<bool()> FPoweredDown;
};

} // namespace

std::unique_ptr<DisplayPower> CreateSdlDisplayPower(std::function<bool()> poweredDown) {
    return std::make_unique<SdlDisplayPower>(std::move(poweredDown));
}

} // namespace quillaby::platform
