// Atomic replacement: the new text goes to a temporary file in the same folder, is flushed to disk
// and renamed over the old file, so a reader or a killed writer only ever sees a whole file.
// Writers hold an exclusive flock on the folder while they re-read, change and replace the file.
#include "platform/posix/PosixSettingsFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace quillaby::platform {
namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

std::string HomeDir() {
    std::string home = Env("HOME");
    if (home.empty())
        if (const passwd* pw = getpwuid(getuid())) home = pw->pw_dir;
    return home;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// mkdir -p, new folders private to the user.
bool MakeFolders(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const auto slash = folder.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash))) return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Reads a whole file; false on any error but a missing file (then text stays empty).
bool ReadAll(const std::string& path, std::optional<std::string>& text) {
    text.reset();
    Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return errno == ENOENT;
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t n = read(fd.get(), buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    text = std::move(bytes);
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Temporary files left by a writer that was killed before its rename. Only called under the lock,
// when no other writer can be between mkstemp and rename.
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir))
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0)
            stale.emplace_back(entry->d_name);
    closedir(dir);
    for (const auto& name : stale) unlink((folder + "/" + name).c_str());
}

} // namespace

std::string SettingsFilePath(SettingsRoot root, const std::string& relativePath) {
    if (root == SettingsRoot::User) {
        std::string base = Env("XDG_CONFIG_HOME");
        if (base.empty() || base[0] != '/') base = HomeDir() + "/.config";
        return base + "/" + relativePath;
    }
    std::string dirs = Env("XDG_CONFIG_DIRS");
    if (dirs.empty()) dirs = "/etc/xdg";
    std::string first;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir[0] == '/') {
            const std::string path = dir + "/" + relativePath;
            if (first.empty()) first = path;
            if (access(path.c_str(), F_OK) == 0) return path;
        }
        start = end + 1;
    }
    return first.empty() ? "/etc/xdg/" + relativePath : first;
}

std::optional<std::string> PosixSettingsFile::Read() {
    std::optional<std::string> text;
    if (!ReadAll(path_, text)) return std::nullopt;
    return text;
}

bool PosixSettingsFile::Update(const std::function<std::string(const std::optional<std::string>&)>& change) {
    if (!writable_) return false;
    const std::string folder = FolderOf(path_);
    if (!MakeFolders(folder)) return false;
    Fd lock(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.get() < 0) return false;
    while (flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR) return false;

    const std::string prefix = "." + NameOf(path_) + ".";
    RemoveStaleTemporaries(folder, prefix);
    std::optional<std::string> current;
    if (!ReadAll(path_, current)) return false; // never replace a file we could not read
    const std::string next = change(current);

    std::string temp = folder + "/" + prefix + "XXXXXX";
    Fd out(mkstemp(temp.data()));
    if (out.get() < 0) return false;
    const bool written = fchmod(out.get(), 0600) == 0 && WriteAll(out.get(), next) && fsync(out.get()) == 0 &&
                         close(out.release()) == 0;
    if (written && beforeRename_) beforeRename_();
    if (!written || rename(temp.c_str(), path_.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    fsync(lock.get()); // the rename itself reaches the disk
    return true;
}

std::unique_ptr<SettingsFile> OpenSettingsFile(SettingsRoot root, const std::string& relativePath) {
    return std::make_unique<PosixSettingsFile>(SettingsFilePath(root, relativePath),
                                               root == SettingsRoot::User);
}

} // namespace quillaby::platform
