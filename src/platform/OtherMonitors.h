#pragma once
// The monitors besides the primary one during a full-screen run: each covered by a window that
// shows the scene through the render window's OpenGL context, or stays black. Monitors that come,
// go or change size during the run are followed; so is the primary's size, by the render window.
#include <cstdint>
#include <vector>

#include "platform/GLSurface.h"

namespace quillaby::platform {

class OtherMonitors {
  public:
    enum class Fill { Scene, Black };

    virtual ~OtherMonitors() = default;
    // The monitors as they are now: windows on monitors that went (or moved, or changed size) go,
    // monitors without a window get one, the render window takes the primary's new size. True
    // when the scene windows changed.
    virtual bool Follow() = 0;
    // The windows that show the scene, to draw into every frame.
    virtual std::vector<GLSurface*> SceneSurfaces() const = 0;
    // Whether the window with this id is one of the covers.
    virtual bool Owns(uint32_t windowId) const = 0;
    virtual void Hide() = 0;
};

} // namespace quillaby::platform
