// The idle watcher's desktop on Linux: the first source of idle news that answers, in the order
// that honours the most of the desktop's own inhibitors.
#include "platform/IdleDesktop.h"
#include "platform/posix/GnomeIdleDelay.h"
#include "platform/posix/PosixIdleDesktop.h"
#include "platform/x11/X11IdleTime.h"

namespace quillaby::platform {

std::unique_ptr<IdleDesktop> OpenIdleDesktop(int idleMilliseconds, std::string& lookedFor) {
    if (auto x11 = X11IdleTime::Open(idleMilliseconds))
        return std::make_unique<PosixIdleDesktop>(std::move(x11), "the X server's idle time", nullptr);
    lookedFor = "GNOME's idle monitor (org.gnome.Mutter.IdleMonitor on the session bus), a Wayland "
                "compositor's idle protocol (ext-idle-notify-v1 or org_kde_kwin_idle) and an X server's "
                "idle time (MIT-SCREEN-SAVER)";
    return nullptr;
}

std::string SystemStartsSavers() {
    return "";
}

} // namespace quillaby::platform
