#pragma once
// A full-screen run covers every monitor: the primary one with the render window (SdlDisplayModes
// makes it full screen and switches that monitor's mode alone), every other one with a borderless
// top-most window made here. Each of those shows the scene through the render window's OpenGL
// context (same pixel format, so one context serves them all: textures and state exist once), or
// stays black and draws nothing at all. Monitors that come, go or change size during the run are
// followed.
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
    // format request; the windows appear with the first Follow.
    SdlOtherMonitors(Fill fill, std::string title, SdlDesktop& desktop);
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
    struct Cover {
        MonitorRect Rect;
        std::unique_ptr<SdlGLWindow> Scene; // Fill::Scene
        SDL_Window* Black = nullptr;        // Fill::Black
    };
    std::vector<MonitorRect> Others();
    Cover MakeCover(const MonitorRect& rect) const;
    static void Destroy(Cover& cover);

    Fill FFill;
    std::string FTitle;
    MonitorRect FPrimary;
    SdlDesktop& FDesktop;
    std::unique_ptr<MonitorWatch> FWatch; // null: SDL's display list
    std::vector<Cover> FCovers;
    bool FFollowed = false;
};

} // namespace quillaby::platform
