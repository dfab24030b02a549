#pragma once
// Whether the X server's root window is the desktop's background that a program may draw on: the
// desktops that show icons (GNOME, KDE, Xfce) cover it with a window of their own instead
// (_NET_WM_WINDOW_TYPE_DESKTOP), and XWayland's root is never shown at all. Looked at on a connection
// of our own that asks and changes nothing.

namespace quillaby::platform {

struct RootCover {
    bool Display = false;            // $DISPLAY answered
    bool XWayland = false;           // the server is a Wayland compositor's XWayland
    unsigned long DesktopWindow = 0; // a mapped desktop window over the root; 0: none
};

RootCover LookAtRootCover();

} // namespace quillaby::platform
