#pragma once
// What the settings dialog asks of the owner of the scene: run it on the panel's surface, one
// frame per idle pass, or full screen for "Preview...".
#include <functional>
#include <string>

#include "platform/GLWindow.h"

namespace quillaby::ui {

class PanelScene {
  public:
    virtual ~PanelScene() = default;
    // Releases any render surface, then sets the scene up on a surface made from these options
    // (OpenGL set-up, software rendering reported, scene reset, sound). The surface draws into a
    // part of the dialog's window.
    virtual void StartPanel(const platform::GLWindowOptions& area) = 0;
    // One frame into the panel.
    virtual void RenderPanelFrame() = 0;
    // After frames were left out (the monitors were off): that time is no step of the scene.
    virtual void ResumePanel() = 0;
    // Frees the panel's context and surface.
    virtual void ReleasePanel() = 0;
    // The full-screen run: returns once input has closed it; false when the program is to end.
    virtual bool RunFullScreen() = 0;
    // "Vendor:  ...\r\nVideo:  ...\r\nOpenGL:  ...", empty before the first OpenGL set-up.
    virtual std::string OpenGLInfoText() const = 0;
    // Called once a second with the frame rate while the panel runs.
    virtual void OnFrameRate(std::function<void(int)> handler) = 0;
};

} // namespace quillaby::ui
