#pragma once
// The outputs besides the render window's during a full-screen run on Wayland: each gets a layer
// surface of its own drawn with the render window's context (same EGL config), or kept black.
// Outputs that come during the run get a surface; surfaces of outputs that went (the compositor
// closes them) are dropped. When the render window's output goes, it takes over another's surface.
#include <memory>
#include <string>
#include <vector>

#include "platform/OtherMonitors.h"
#include "platform/wayland/LayerSurface.h"

namespace quillaby::platform {

class WaylandConnection;

class WaylandOtherMonitors final : public OtherMonitors {
  public:
    // `renderWindow` (on the primary output, outliving this object) lends its EGL config; null when
    // the run has no layer surface of its own, and then nothing is covered.
    WaylandOtherMonitors(WaylandConnection& connection, LayerSurface* renderWindow, Fill fill,
                         std::string title, LayerSurface::Role role);
    bool Follow() override;
    std::vector<GLSurface*> SceneSurfaces() const override;
    bool Owns(uint32_t windowId) const override;
    void Hide() override;

  private:
    WaylandConnection& FConnection;
    Fill FFill;
    std::string FTitle;
    LayerSurface::Role FRole;
    LayerSurface* FRenderWindow = nullptr;
    std::vector<std::unique_ptr<LayerSurface>> FCovers;
    unsigned FSeenVersion = ~0u;
    bool FHidden = false;
};

} // namespace quillaby::platform
