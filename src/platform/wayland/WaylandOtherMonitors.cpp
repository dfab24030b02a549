#include "platform/wayland/WaylandOtherMonitors.h"

#include <algorithm>

#include "platform/wayland/EglLibrary.h"
#include "platform/wayland/WaylandConnection.h"

namespace quillaby::platform {

WaylandOtherMonitors::WaylandOtherMonitors(WaylandConnection& connection, LayerSurface* renderWindow,
                                           Fill fill, std::string title, LayerSurface::Role role)
    : FConnection(connection), FFill(fill), FTitle(std::move(title)), FRole(role),
      FRenderWindow(renderWindow) {}

bool WaylandOtherMonitors::Follow() {
    if (FHidden || !FRenderWindow) return false;
    FConnection.Dispatch(0);
    const size_t before = FCovers.size();
    bool changed = false;
    std::erase_if(FCovers, [&](const std::unique_ptr<LayerSurface>& cover) {
        const bool gone = cover->Closed() || !FConnection.Output(cover->Output());
        changed |= gone;
        return gone;
    });
    // The render window's surface went (with its output, or closed by the compositor): it goes on in
    // place of a cover, which takes the keyboard with it; with none left it waits for an output.
    const bool renderWindowGone =
        FRenderWindow->Closed() || (FRenderWindow->Output() && !FConnection.Output(FRenderWindow->Output()));
    if (FConnection.OutputsVersion() != FSeenVersion || (renderWindowGone && FCovers.empty())) {
        FSeenVersion = FConnection.OutputsVersion();
        for (const OutputInfo& output : FConnection.Outputs().Ready()) {
            if (!renderWindowGone && output.Global == FRenderWindow->Output()) continue;
            const bool covered = std::any_of(FCovers.begin(), FCovers.end(), [&](const auto& cover) {
                return cover->Output() == output.Global;
            });
            if (covered) continue;
            auto cover = std::make_unique<LayerSurface>(FConnection, output.Global, FRole, FTitle);
            cover->ShareConfig(*FRenderWindow);
            if (!cover->SetPixelFormat()) continue;
            if (FFill == Fill::Black)
                cover->PresentBlack(EglApi().eglGetCurrentContext()); // the scene's context, drawing now
            FCovers.push_back(std::move(cover));
            changed = true;
        }
    }
    if (renderWindowGone && !FCovers.empty()) {
        FRenderWindow->TakeOver(*FCovers.front());
        FCovers.erase(FCovers.begin());
        changed = true;
    }
    return changed || FCovers.size() != before;
}

std::vector<GLSurface*> WaylandOtherMonitors::SceneSurfaces() const {
    std::vector<GLSurface*> surfaces;
    if (FFill == Fill::Scene)
        for (const auto& cover : FCovers) surfaces.push_back(cover.get());
    return surfaces;
}

bool WaylandOtherMonitors::Owns(uint32_t windowId) const {
    return std::any_of(FCovers.begin(), FCovers.end(),
                       [&](const auto& cover) { return cover->Id() == windowId; });
}

void WaylandOtherMonitors::Hide() {
    FHidden = true;
    for (const auto& cover : FCovers) cover->Hide();
}

} // namespace quillaby::platform
