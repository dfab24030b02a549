#include "app/IdleAutostart.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Error.h"
#include "base/Utf8Path.h"

namespace quillaby::app {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An argument of Exec: quoted where it holds a reserved character, then escaped as every string value
// of an entry is (a backslash doubled), and "%" doubled as field codes need.
std::string ExecArgument(const std::string& argument) {
    const bool quote = argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string quoted;
    for (char c : argument) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
        quoted += c;
    }
    if (quote) quoted = '"' + quoted + '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        if (c == '%') value += '%';
        value += c;
    }
    return value;
}

// A string value of an entry: backslashes and line ends escaped.
std::string StringValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '\n')
            value += "\\n";
        else
            value += c;
    }
    return value;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

AutostartPlace AutostartPlaceFromEnvironment() {
    AutostartPlace place;
    place.ConfigHome = Env("XDG_CONFIG_HOME");
    if (place.ConfigHome.empty() || place.ConfigHome.front() != '/')
        place.ConfigHome = Env("HOME") + "/.config";
    std::string dirs = Env("XDG_CONFIG_DIRS");
    if (dirs.empty()) dirs = "/etc/xdg";
    for (size_t start = 0; start <= dirs.size();) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        if (end > start && dirs[start] == '/') place.ConfigDirs.push_back(dirs.substr(start, end - start));
        start = end + 1;
    }
    place.CurrentDesktop = Env("XDG_CURRENT_DESKTOP");
    return place;
}

std::string AutostartEntryText(const std::string& program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quillaby idle watcher\n"
           "Comment=Starts the Quillaby screen saver when the desktop has been idle\n"
           "Exec=" +
           ExecArgument(program) +
           " --idle-watch\n"
           "TryExec=" +
           StringValue(program) +
           "\n"
           "NoDisplay=true\n"
           "Terminal=false\n";
}

std::string CompositorStartLine(const std::string& currentDesktop, const std::string& program) {
    // XDG_CURRENT_DESKTOP is a colon-separated list; these compositors start only what their own
    // configuration names.
    const std::string desktops = ":" + Lower(currentDesktop) + ":";
    const std::string command = ExecArgument(program) + " --idle-watch";
    if (desktops.find(":sway:") != std::string::npos)
        return "exec " + command + "    (in ~/.config/sway/config)";
    if (desktops.find(":hyprland:") != std::string::npos)
        return "exec-once = " + command + "    (in ~/.config/hypr/hyprland.conf)";
    if (desktops.find(":river:") != std::string::npos)
        return "riverctl spawn '" + command + "'    (in ~/.config/river/init)";
    return "";
}

std::string WriteAutostartEntry(const AutostartPlace& place, const std::string& program) {
    const std::filesystem::path folder = Utf8Path(place.ConfigHome) / "autostart";
    const std::filesystem::path file = folder / AutostartFileName;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // Written whole beside the entry, then put in its place: a session starting meanwhile reads
    // either the old entry or the new one.
    const std::filesystem::path temporary = folder / (std::string(AutostartFileName) + ".new");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << AutostartEntryText(program);
        if (!out.flush()) throw Error("Cannot write the autostart entry \"" + Utf8String(file) + "\"");
    }
    std::filesystem::rename(temporary, file, error);
    if (error)
        throw Error("Cannot write the autostart entry \"" + Utf8String(file) + "\": " + error.message());
    return Utf8String(file);
}

std::string RemoveAutostartEntry(const AutostartPlace& place) {
    const std::filesystem::path file = Utf8Path(place.ConfigHome) / "autostart" / AutostartFileName;
    const bool system =
        std::any_of(place.ConfigDirs.begin(), place.ConfigDirs.end(), [](const std::string& dir) {
            std::error_code error;
            return std::filesystem::exists(Utf8Path(dir) / "autostart" / AutostartFileName, error);
        });
    std::error_code error;
    if (system) {
        std::filesystem::create_directories(file.parent_path(), error);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << "[Desktop Entry]\nType=Application\nName=Quillaby idle watcher\nHidden=true\n";
        if (!out.flush()) throw Error("Cannot write the autostart entry \"" + Utf8String(file) + "\"");
        return "the system's autostart entry is hidden by " + Utf8String(file);
    }
    if (!std::filesystem::remove(file, error)) {
        if (error)
            throw Error("Cannot remove the autostart entry \"" + Utf8String(file) + "\": " + error.message());
        return "";
    }
    return "removed " + Utf8String(file);
}

} // namespace quillaby::app
