// Atomic replacement: the new text goes to a temporary file in the same folder, is flushed to disk
// and renamed over the old file, so a reader or a killed writer only ever sees a whole file.
// Writers hold an exclusive flock on the folder while they re-read, change and replace the file.
// A settings file that is a symbolic link (dotfile managers make them) is saved where the link
// leads, and the replacement keeps the old file's mode and owner.
#include "platform/posix/PosixSettingsFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace quillaby::platform {
namespace {

class Fd {
  public:
    explicit Fd(int fd) : FFd(fd) {}
    ~Fd() {
        if (FFd >= 0) close(FFd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return FFd; }
    int release() {
        const int fd = FFd;
        FFd = -1;
        return fd;
    }

  private:
    int FFd;
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
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
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

// The file a chain of symbolic links ends at (path itself when it is no link); a relative link
// counts from the folder of the link that holds it. The end need not exist yet. False on a loop or
// a link that cannot be read.
bool FollowLinks(std::string path, std::string& target) {
    constexpr int kMostLinks = 40; // as the kernel's own limit for one lookup
    for (int links = 0; links <= kMostLinks; ++links) {
        struct stat st {};
        const bool exists = lstat(path.c_str(), &st) == 0;
        if (!exists && errno != ENOENT) return false;
        if (!exists || !S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        char buffer[PATH_MAX];
        const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
        if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return false;
        const std::string link(buffer, static_cast<size_t>(n));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    return false;
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
    if (!ReadAll(FPath, text)) return std::nullopt;
    return text;
}

bool PosixSettingsFile::Update(const std::function<std::string(const std::optional<std::string>&)>& change) {
    if (!FWritable) return false;
    if (!MakeFolders(FolderOf(FPath))) return false;
    std::string target;
    if (!FollowLinks(FPath, target)) return false; // a link's folder must exist: it is not ours to make
    const std::string folder = FolderOf(target);
    Fd lock(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.get() < 0) return false;
    while (flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR) return false;

    const std::string prefix = "." + NameOf(target) + ".";
    RemoveStaleTemporaries(folder, prefix);
    struct stat old {};
    const bool replacing = stat(target.c_str(), &old) == 0;
    // A file its owner made read-only stays as it is, also for root, who may write anything.
    if (replacing && (old.st_mode & S_IWUSR) == 0) return false;
    std::optional<std::string> current;
    if (!ReadAll(target, current)) return false; // never replace a file we could not read
    const std::string next = change(current);

    std::string temp = folder + "/" + prefix + "XXXXXX";
    Fd out(mkstemp(temp.data()));
    if (out.get() < 0) return false;
    // The replacement keeps the old file's mode; root saving a user's file (through sudo) hands the
    // new one back to its owner.
    const bool owned = !replacing || geteuid() != 0 || fchown(out.get(), old.st_uid, old.st_gid) == 0;
    const bool written = owned && fchmod(out.get(), replacing ? old.st_mode & 0777 : 0600) == 0 &&
                         WriteAll(out.get(), next) && fsync(out.get()) == 0 && close(out.release()) == 0;
    if (written && FBeforeRename) FBeforeRename();
    if (!written || rename(temp.c_str(), target.c_str()) != 0) {
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
