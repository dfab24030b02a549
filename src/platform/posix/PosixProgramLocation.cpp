#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/ProgramLocation.h"

namespace quillaby::platform {
namespace {

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : ".";
}

std::string WithSlash(std::string directory) {
    if (directory.empty() || directory.back() != '/') directory.push_back('/');
    return directory;
}

// a + "/" + b, spelled out: g++ 12 warns wrongly about the operator+ chain (-Wrestrict).
std::string Join(const std::string& a, const std::string& b) {
    std::string path;
    path.reserve(a.size() + b.size() + 1);
    path.append(a).push_back('/');
    path.append(b);
    return path;
}

// The folder made absolute without resolving links in its last part's name.
std::string Absolute(const std::string& directory) {
    char buffer[PATH_MAX];
    if (realpath(directory.c_str(), buffer) != nullptr) return buffer;
    return directory[0] == '/' ? directory : Join(CurrentDirectory(), directory);
}

} // namespace

std::string FolderOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "";
    for (size_t start = 0; start <= folders.size() && !name.empty();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        // An empty entry is the current folder.
        const std::string folder = end > start ? folders.substr(start, end - start) : std::string(1, '.');
        struct stat st {};
        const std::string file = Join(folder, name);
        if (access(file.c_str(), X_OK) == 0 && stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return WithSlash(Absolute(folder));
        start = end + 1;
    }
    return {};
}

std::string ProgramDirectoryOf(const std::string& argv0) {
    const size_t slash = argv0.rfind('/');
    if (slash != std::string::npos) return WithSlash(Absolute(slash == 0 ? "/" : argv0.substr(0, slash)));
    const std::string folder = FolderOnPath(argv0);
    return folder.empty() ? WithSlash(CurrentDirectory()) : folder;
}

bool DirectoryWritable(const std::string& directory) {
    return access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string UserStateDirectory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && *state == '/') return state;
    const char* home = std::getenv("HOME");
    return Join(home != nullptr ? home : "", ".local/state");
}

bool MakeDirectories(const std::string& directory) {
    for (size_t i = 1; i <= directory.size(); ++i) {
        if (i < directory.size() && directory[i] != '/') continue;
        const std::string part = directory.substr(0, i);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return stat(directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace quillaby::platform
