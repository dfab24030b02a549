#pragma once
// The Linux services in a Wayland session: a full-screen run draws on layer-shell surfaces of our
// own, one per output, and takes the seat's input; everything else (the settings dialog, sound,
// message boxes, settings) stays with the services underneath.
#include <memory>

#include "platform/Services.h"

namespace quillaby::platform {

class WaylandConnection;

// `QUILLABY_VIDEO` "wayland" or "x11" forces a session; otherwise Wayland when WAYLAND_DISPLAY names
// a compositor that answers. Null: the session is X11's. Raises quillaby::Error when Wayland is
// forced and no compositor answers. `base` must outlive what is returned.
std::unique_ptr<Services> ChooseWaylandServices(Services& base);

} // namespace quillaby::platform
