#include "platform/sdl/SdlDisplayModes.h"

#include <signal.h>

#include <cstring>
#include <utility>

#include "base/Error.h"

namespace quillaby::platform {
namespace {

constexpr int kDisplay = 0;

// SIGHUP ends the program like SIGTERM: through SDL's handler (a quit event, then the normal close
// that restores the mode) where SDL installed one.
void HangupAsTerminate(int) {
    raise(SIGTERM);
}

void ForwardHangup() {
    struct sigaction term {};
    struct sigaction hup {};
    sigaction(SIGTERM, nullptr, &term);
    sigaction(SIGHUP, nullptr, &hup);
    const bool termHandled =
        !(term.sa_flags & SA_SIGINFO) && term.sa_handler != SIG_DFL && term.sa_handler != SIG_IGN;
    if (!termHandled || hup.sa_handler != SIG_DFL) return;
    struct sigaction forward {};
    forward.sa_handler = HangupAsTerminate;
    sigemptyset(&forward.sa_mask);
    sigaction(SIGHUP, &forward, nullptr);
}

} // namespace

SdlDisplayModes::SdlDisplayModes(ModeRescueStart startRescue) : FStartRescue(std::move(startRescue)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
}

SdlDisplayModes::~SdlDisplayModes() {
    DetachWindow();
    FRescue.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int SdlDisplayModes::BitsOf(Uint32 format) {
    const int bits = SDL_BITSPERPIXEL(format);
    return bits == 24 && SDL_BYTESPERPIXEL(format) == 4 ? 32 : bits;
}

bool SdlDisplayModes::EnumMode(int index, DisplayModeRecord& mode) {
    SDL_DisplayMode m{};
    if (SDL_GetDisplayMode(kDisplay, index, &m) != 0) return false;
    mode = {m.w, m.h, BitsOf(m.format), m.refresh_rate};
    return true;
}

// SDL lists each size from the highest refresh rate down: the first match is the best.
std::optional<SDL_DisplayMode> SdlDisplayModes::FindMode(const DisplayModeRecord& mode) const {
    const int n = SDL_GetNumDisplayModes(kDisplay);
    for (int i = 0; i < n; ++i) {
        SDL_DisplayMode m{};
        if (SDL_GetDisplayMode(kDisplay, i, &m) == 0 && m.w == mode.Width && m.h == mode.Height &&
            BitsOf(m.format) == mode.BitsPerPixel)
            return m;
    }
    return std::nullopt;
}

bool SdlDisplayModes::TestMode(const DisplayModeRecord& mode) {
    return FindMode(mode).has_value();
}

void SdlDisplayModes::DesktopMode(int& bitsPerPixel, int& width, int& height) {
    SDL_DisplayMode m{};
    if (SDL_GetDesktopDisplayMode(kDisplay, &m) != 0)
        throw Error(std::string("SDL display: ") + SDL_GetError());
    bitsPerPixel = BitsOf(m.format);
    width = m.w;
    height = m.h;
}

bool SdlDisplayModes::SetMode(const DisplayModeRecord& mode) {
    const auto m = FindMode(mode);
    if (!m) return false;
    LeaveMode();
    FWanted = m;
    return Apply();
}

void SdlDisplayModes::RestoreMode() {
    FWanted.reset();
    Apply(); // an attached window stays, covering the desktop in its own mode
}

SDL_Window* SdlDisplayModes::Window() {
    SDL_Window* window = FWindowId != 0 ? SDL_GetWindowFromID(FWindowId) : nullptr;
    if (window == nullptr) FWindowId = 0;
    return window;
}

bool SdlDisplayModes::AttachWindow(const GLWindow& window) {
    return AttachWindow(static_cast<SDL_Window*>(window.Native()));
}

bool SdlDisplayModes::AttachWindow(SDL_Window* window) {
    DetachWindow();
    FWindowId = SDL_GetWindowID(window);
    return Apply();
}

void SdlDisplayModes::DetachWindow() {
    LeaveMode();
    if (SDL_Window* window = Window()) SDL_SetWindowFullscreen(window, 0);
    FWindowId = 0;
}

void SdlDisplayModes::LeaveMode() {
    if (!FSwitched) return;
    if (SDL_Window* window = Window()) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    FSwitched = false;
    if (FRescue) FRescue->Restored();
}

bool SdlDisplayModes::Apply() {
    SDL_Window* window = Window();
    if (window == nullptr) {
        LeaveMode(); // a window destroyed while switched took the mode with it
        return true; // a mode set now is switched to when a window is attached
    }
    if (!FWanted) {
        LeaveMode();
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return true;
    }
    // Nothing may leave the screen switched: on X11 no switch without a rescue.
    const bool x11 = std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0;
    if (x11 && !FRescue) {
        if (FStartRescue) FRescue = FStartRescue();
        if (FRescue) ForwardHangup();
    }
    bool ok = !x11 || FRescue != nullptr;
    if (ok) {
        if (FRescue) FRescue->Switched();
        SDL_DisplayMode now{};
        ok = SDL_SetWindowDisplayMode(window, &*FWanted) == 0 &&
             SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0 &&
             SDL_GetCurrentDisplayMode(kDisplay, &now) == 0 && now.w == FWanted->w && now.h == FWanted->h;
        FSwitched = true;
    }
    if (!ok) { // cover the desktop rather than leave a window of the wanted size in a corner
        LeaveMode();
        FWanted.reset();
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    return ok;
}

} // namespace quillaby::platform
