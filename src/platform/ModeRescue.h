#pragma once
// What puts the desktop's display mode back should the program die while the display is in a mode
// it switched to (SIGKILL, a crash: every end that runs none of our code).
#include <functional>
#include <memory>

namespace quillaby::platform {

class ModeRescue {
  public:
    virtual ~ModeRescue() = default;
    // Before each switch and after each restore.
    virtual void Switched() = 0;
    virtual void Restored() = 0;
};

// Starts a rescue; null when there is nothing to watch or it could not start.
using ModeRescueStart = std::function<std::unique_ptr<ModeRescue>()>;

} // namespace quillaby::platform
