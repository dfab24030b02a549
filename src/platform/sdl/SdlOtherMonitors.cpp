#include "platform/sdl/SdlOtherMonitors.h"

#include <algorithm>

#include "base/Error.h"

namespace quillaby::platform {
namespace {

constexpr Uint32 kCoverFlags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;

std::vector<MonitorRect> SdlDisplays() {
    std::vector<MonitorRect> monitors;
    const int n = SDL_GetNumVideoDisplays();
    for (int i = 0; i < n; ++i) {
        SDL_Rect r{};
        if (SDL_GetDisplayBounds(i, &r) == 0) monitors.push_back({r.x, r.y, r.w, r.h});
    }
    return monitors;
}

} // namespace

SdlOtherMonitors::SdlOtherMonitors(Fill fill, std::string title, SdlDesktop& desktop,
                                   SaverWindowSetup setupSaverWindow)
    : FFill(fill), FTitle(std::move(title)), FPrimary(Primary()), FDesktop(desktop),
      FSetupSaverWindow(std::move(setupSaverWindow)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw Error(std::string("SDL video: ") + SDL_GetError());
    FWatch = FDesktop.WatchMonitors();
    if (SDL_Window* window = SDL_GL_GetCurrentWindow()) FRenderWindowId = SDL_GetWindowID(window);
}

SdlOtherMonitors::BufferKeeper::BufferKeeper(SDL_Window* window) {
    SDL_Window* current = SDL_GL_GetCurrentWindow();
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    FContext = SDL_GL_CreateContext(window); // null costs only speed
    SDL_GL_MakeCurrent(current, context);
}

SdlOtherMonitors::BufferKeeper::~BufferKeeper() {
    if (FContext) SDL_GL_DeleteContext(FContext);
}

SdlOtherMonitors::~SdlOtherMonitors() {
    for (Cover& cover : FCovers) Destroy(cover);
    FRenderWindowKeeper.reset();
    FWatch.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

MonitorRect SdlOtherMonitors::Primary() {
    SDL_Rect r{};
    if (SDL_GetDisplayBounds(0, &r) != 0) return {};
    return {r.x, r.y, r.w, r.h};
}

void SdlOtherMonitors::FollowPrimary(const std::vector<MonitorRect>& monitors) {
    // The primary keeps its corner while its mode changes; copies of it show the same corner, each
    // at its own size, and the window covers the largest.
    const MonitorRect* primary = nullptr;
    for (const MonitorRect& m : monitors)
        if (m.X == FPrimary.X && m.Y == FPrimary.Y &&
            (!primary || m.Width * m.Height > primary->Width * primary->Height))
            primary = &m;
    if (!primary || *primary == FPrimary) return;
    FPrimary = *primary;
    // SDL's own list misses a mode set by another program; the desktop's does not.
    if (SDL_Window* window = FWatch ? SDL_GetWindowFromID(FRenderWindowId) : nullptr)
        FDesktop.Place(window, FPrimary);
}

std::vector<MonitorRect> SdlOtherMonitors::Others(std::vector<MonitorRect> monitors) const {
    // A monitor showing the primary's corner is a copy of it.
    std::erase_if(monitors, [this](const MonitorRect& m) { return m.X == FPrimary.X && m.Y == FPrimary.Y; });
    return monitors;
}

bool SdlOtherMonitors::Follow() {
    // The desktop says when to look again; SDL's list costs nothing to read every frame.
    if (FFollowed && FWatch && !FWatch->Changed()) return false;
    FFollowed = true;
    const std::vector<MonitorRect> monitors = FWatch ? FWatch->Rectangles() : SdlDisplays();
    FollowPrimary(monitors);
    const std::vector<MonitorRect> now = Others(monitors);
    bool changed = false;
    for (auto it = FCovers.begin(); it != FCovers.end();) {
        if (std::find(now.begin(), now.end(), it->Rect) != now.end()) {
            ++it;
            continue;
        }
        changed = changed || it->Scene;
        Destroy(*it);
        it = FCovers.erase(it);
    }
    for (const MonitorRect& rect : now) {
        const bool covered =
            std::any_of(FCovers.begin(), FCovers.end(), [&](const Cover& c) { return c.Rect == rect; });
        if (covered) continue;
        FCovers.push_back(MakeCover(rect));
        changed = changed || FCovers.back().Scene;
    }
    return changed;
}

SdlOtherMonitors::Cover SdlOtherMonitors::MakeCover(const MonitorRect& rect) {
    Cover cover;
    cover.Rect = rect;
    if (FFill == Fill::Scene) {
        GLWindowOptions options;
        options.Title = FTitle;
        options.X = rect.X;
        options.Y = rect.Y;
        options.Width = rect.Width;
        options.Height = rect.Height;
        options.Borderless = options.AlwaysOnTop = options.SkipTaskbar = true; // as kCoverFlags
        // The desktop picks the monitor from the window's place, as SDL's display list has it.
        options.FullScreen = FDesktop.CoversFullScreen();
        cover.Scene = std::make_unique<SdlGLWindow>(std::move(options), &FDesktop);
        // The pixel format SDL still holds from the render window's request.
        if (!cover.Scene->SetPixelFormat()) throw Error(std::string("SDL window: ") + SDL_GetError());
        SetUpSaverWindow(cover.Scene->Window(), FSetupSaverWindow);
        SDL_ShowWindow(cover.Scene->Window());
        SDL_Window* renderWindow = SDL_GetWindowFromID(FRenderWindowId);
        if (!FRenderWindowKeeper && renderWindow)
            FRenderWindowKeeper = std::make_unique<BufferKeeper>(renderWindow);
        cover.Keeper = std::make_unique<BufferKeeper>(cover.Scene->Window());
        // Frames are not held to the display's refresh: waiting for it at every monitor's swap in
        // turn would divide the frame rate by the number of monitors.
        SDL_Window* current = SDL_GL_GetCurrentWindow();
        SDL_GLContext context = SDL_GL_GetCurrentContext();
        if (context && SDL_GL_MakeCurrent(cover.Scene->Window(), context) == 0) {
            SDL_GL_SetSwapInterval(0);
            SDL_GL_MakeCurrent(current, context);
        }
        return cover;
    }
    const Uint32 fullScreen = FDesktop.CoversFullScreen() ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    cover.Black =
        SDL_CreateWindow(FTitle.c_str(), rect.X, rect.Y, rect.Width, rect.Height, kCoverFlags | fullScreen);
    if (cover.Black == nullptr) throw Error(std::string("SDL window: ") + SDL_GetError());
    SetUpSaverWindow(cover.Black, FSetupSaverWindow);
    if (!FDesktop.PaintBlack(cover.Black)) {
        // Elsewhere: paint it once through SDL's own framebuffer.
        if (SDL_Surface* surface = SDL_GetWindowSurface(cover.Black)) {
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
            SDL_UpdateWindowSurface(cover.Black);
        }
    }
    return cover;
}

void SdlOtherMonitors::Destroy(Cover& cover) {
    cover.Keeper.reset();
    cover.Scene.reset();
    if (cover.Black) SDL_DestroyWindow(cover.Black);
    cover.Black = nullptr;
}

std::vector<GLSurface*> SdlOtherMonitors::SceneSurfaces() const {
    std::vector<GLSurface*> surfaces;
    for (const Cover& cover : FCovers)
        if (cover.Scene) surfaces.push_back(cover.Scene.get());
    return surfaces;
}

bool SdlOtherMonitors::Owns(uint32_t windowId) const {
    return std::any_of(FCovers.begin(), FCovers.end(), [&](const Cover& c) {
        SDL_Window* window = c.Scene ? c.Scene->Window() : c.Black;
        return window != nullptr && SDL_GetWindowID(window) == windowId;
    });
}

void SdlOtherMonitors::Hide() {
    for (const Cover& cover : FCovers)
        if (SDL_Window* window = cover.Scene ? cover.Scene->Window() : cover.Black) SDL_HideWindow(window);
}

} // namespace quillaby::platform
