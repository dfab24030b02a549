// Windows starts screen savers itself, from the Screen Saver Settings: no watcher of ours is needed
// there, and none ever runs.
#include "platform/IdleDesktop.h"
#include "platform/IdleWatchControl.h"

namespace quillaby::platform {

std::string SystemStartsSavers() {
    return "Windows starts screen savers itself: choose Quillaby and the wait in the Screen Saver Settings "
           "(Personalization > Lock screen > Screen saver)";
}

std::unique_ptr<IdleDesktop> OpenIdleDesktop(int, std::string& lookedFor) {
    lookedFor = SystemStartsSavers();
    return nullptr;
}

// The watcher never runs here, so there is never one to lock out, stop or start.
std::unique_ptr<InstanceLock> LockIdleWatch() {
    return LockInstance("quillabyIdleWatch");
}

bool StopIdleWatch() {
    return false;
}

bool StartIdleWatch(const std::string&, std::string& whyNot) {
    whyNot = SystemStartsSavers();
    return false;
}

} // namespace quillaby::platform
