#pragma once
// The X resource Xft.dpi, which desktops (GNOME, KDE) set through xrdb to their scale.
#include <optional>

namespace quillaby::platform {

// The value of Xft.dpi in the server's resource database; empty without an X display, without the
// resource, or when it is not a positive number.
std::optional<double> ReadXftDpi();

} // namespace quillaby::platform
