#pragma once
// A full-screen run covers every monitor: the primary one with the render window (SdlDisplayModes
// makes it full screen and switches that monitor's mode alone), every other one with a borderless
// top-most window made here. Each of those shows the scene through the render window's OpenGL
// context (same pixel format, so one context serves them all: textures and state exist once), or
// stays black and draws nothing at all. Monitors that come, go or change size during the run are
// followed, the primary one included.
#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Monitors.h"
#include "platform/OtherMonitors.h"
#include "platform/sdl/SdlDesktop.h"
#include "platform/sdl/SdlGLWindow.h"

namespace quillaby::platform {

class SdlOtherMonitors final : public OtherMonitors {
  public:
    // Make it right after the render window's context, while SDL still holds that window's pixel
    // format request; the windows appear with the first Follow. `setupSaverWindow` is given each
    // cover, as the render window was given it: they are the saver's windows too.
    SdlOtherMonitors(Fill fill, std::string title, SdlDesktop& desktop,
                     SaverWindowSetup setupSaverWindow = {});
    ~SdlOtherMonitors() override;
    SdlOtherMonitors(const SdlOtherMonitors&) = delete;
    SdlOtherMonitors& operator=(const SdlOtherMonitors&) = delete;

    bool Follow() override;
    std::vector<GLSurface*> SceneSurfaces() const override;
    bool Owns(uint32_t windowId) const override;
    void Hide() override;

    // The primary monitor (SDL's display 0): where the render window goes.
    static MonitorRect Primary();

  private:
    // A context of a window's own, made current there once and never drawn with. Mesa frees a
    // window's colour and depth buffers as soon as no context is bound to it: the scene's one
    // context, going from window to window, would otherwise make them anew (shared memory, page
    // faults) for every monitor in every frame.
    class BufferKeeper {
      public:
        explicit BufferKeeper(SDL_Window* window); // the current context stays current
        ~BufferKeeper();
        BufferKeeper(const BufferKeeper&) = delete;
        BufferKeeper& operator=(const BufferKeeper&) = delete;

      private:
        SDL_GLContext FContext;
    };
    struct Cover {
        MonitorRect Rect;
        std::unique_ptr<SdlGLWindow> Scene;   // Fill::Scene
        std::unique_ptr<BufferKeeper> Keeper; // Fill::Scene
        SDL_Window* Black = nullptr;          // Fill::Black
    };
    // The render window goes with the primary monitor's size.
    void FollowPrimary(const std::vector<MonitorRect>& monitors);
    std::vector<MonitorRect> Others(std::vector<MonitorRect> monitors) const;
    Cover MakeCover(const MonitorRect& rect);
    static void Destroy(Cover& cover);

    Fill FFill;
    std::string FTitle;
    MonitorRect FPrimary;
    uint32_t FRenderWindowId = 0; // the render window, current at construction
    SdlDesktop& FDesktop;
    SaverWindowSetup FSetupSaverWindow;
    std::unique_ptr<MonitorWatch> FWatch; // null: SDL's display list
    std::vector<Cover> FCovers;
    std::unique_ptr<BufferKeeper> FRenderWindowKeeper; // once a cover shows the scene
    bool FFollowed = false;
};

} // namespace quillaby::platform
