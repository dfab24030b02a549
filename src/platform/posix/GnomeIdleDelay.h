#pragma once
// GNOME's blank delay ("Screen Blank" in its settings): org.gnome.desktop.session idle-delay.
#include <optional>

namespace quillaby::platform {

// Seconds (0: never), read through the gsettings tool; none where GNOME's settings cannot be read.
std::optional<int> ReadGnomeIdleDelay();

} // namespace quillaby::platform
