// The idle watcher's desktop on Linux: the first source of idle news that answers, in the order
// that honours the most of the desktop's own inhibitors.
#include "platform/IdleDesktop.h"
#include "platform/dbus/GnomeIdleMonitor.h"
#include "platform/posix/GnomeIdleDelay.h"
#include "platform/posix/PosixIdleDesktop.h"
#include "platform/wayland/WaylandIdleNotifier.h"
#include "platform/x11/X11IdleTime.h"

namespace quillaby::platform {

std::unique_ptr<IdleDesktop> OpenIdleDesktop(int idleMilliseconds, std::string& lookedFor) {
    // GNOME, on Wayland and on Xorg: its watches honour the session's idle inhibitors, and its shield
    // ends a running saver.
    if (auto gnome = GnomeIdleMonitor::Open(idleMilliseconds))
        return std::make_unique<PosixIdleDesktop>(std::move(gnome), "GNOME's idle monitor",
                                                  ReadGnomeIdleDelay);
    // Other compositors' idle protocols honour their idle inhibitors; XWayland's idle time would not.
    if (auto wayland = WaylandIdleNotifier::Open(idleMilliseconds)) {
        const std::string name = "the compositor's " + wayland->ProtocolName();
        return std::make_unique<PosixIdleDesktop>(std::move(wayland), name, nullptr);
    }
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
