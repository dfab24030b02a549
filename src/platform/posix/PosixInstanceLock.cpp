#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/Error.h"
#include "platform/InstanceLock.h"

namespace quillaby::platform {
namespace {

class FileLock final : public InstanceLock {
  public:
    explicit FileLock(int fd) : FFd(fd) {}
    ~FileLock() override { close(FFd); } // closing releases the lock; the file stays

  private:
    int FFd;
};

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
    throw Error("Cannot use the single-instance lock \"" + path + "\": " + reason);
}

} // namespace

std::string InstanceLockPath(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/') return std::string(runtime) + "/" + name;
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir = tmp != nullptr && *tmp == '/' ? tmp : "/tmp";
    return dir + "/" + name + "-" + std::to_string(getuid());
}

std::unique_ptr<InstanceLock> TryLockInstance(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) Refuse(path, errno == ELOOP ? "it is a symbolic link" : std::strerror(errno));
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
        close(fd);
        Refuse(path, "it is not a regular file of this user");
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) return nullptr;
        Refuse(path, std::strerror(error));
    }
    return std::make_unique<FileLock>(fd);
}

std::unique_ptr<InstanceLock> LockInstance(const std::string& name) {
    return TryLockInstance(InstanceLockPath(name));
}

} // namespace quillaby::platform
