#pragma once
// Turning the idle watcher on and off for the user's sessions: an XDG autostart entry, which GNOME,
// KDE, Xfce, Cinnamon, MATE and LXQt run at log-in; compositors that run none (sway, Hyprland, river)
// get a line for their own configuration instead.
#include <string>
#include <vector>

namespace quillaby::app {

// Where autostart entries live, as the environment says.
struct AutostartPlace {
    std::string ConfigHome;              // $XDG_CONFIG_HOME, else ~/.config
    std::vector<std::string> ConfigDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
    std::string CurrentDesktop;          // $XDG_CURRENT_DESKTOP
};
AutostartPlace AutostartPlaceFromEnvironment();

// The entry's file name, the same in the user's folder and the system's.
inline constexpr const char* AutostartFileName = "quillaby-idle-watch.desktop";

// The entry that starts `program` --idle-watch, `program` an absolute path.
std::string AutostartEntryText(const std::string& program);

// The line to add to the compositor's own configuration where the desktop runs no autostart
// entries; empty where it does.
std::string CompositorStartLine(const std::string& currentDesktop, const std::string& program);

// Writes the user's entry; returns its path. Raises quillaby::Error when it cannot.
std::string WriteAutostartEntry(const AutostartPlace& place, const std::string& program);

// Removes the user's entry; where the system has one too, writes the user's copy hidden instead, which
// overrides it. Returns what it did, for the user; empty when there was nothing to undo.
std::string RemoveAutostartEntry(const AutostartPlace& place);

} // namespace quillaby::app
