#pragma once
// The window layer's video, held for as long as the object lives: a program that shows one window
// of its own checks that there is a display to show it on before it builds anything.
#include <string>

namespace quillaby::platform {

class VideoHold {
  public:
    virtual ~VideoHold() = default;
    // Empty while the video runs; otherwise the system's reason why it does not.
    virtual const std::string& Failure() const = 0;
    // What draws the windows ("x11", "windows", "offscreen" ...).
    virtual const std::string& Driver() const = 0;
    // False when windows are drawn without any display: nothing would be seen.
    virtual bool Shows() const = 0;
};

} // namespace quillaby::platform
