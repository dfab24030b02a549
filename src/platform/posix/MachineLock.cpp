#include "platform/posix/MachineLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace quillaby::platform {

MachineLock::MachineLock(const std::string& name) {
    const char* dir = std::getenv("TMPDIR");
    const std::string path = std::string(dir && *dir ? dir : "/tmp") + "/" + name;
    // flock needs only a descriptor, so a file another user made is opened read-only; it is made
    // writable by all, whatever the umask, so that anyone can open it later.
    FFile = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (FFile < 0) {
        FFile = open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (FFile >= 0)
            fchmod(FFile, 0666);
        else
            FFile = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW); // made meanwhile by another
    }
    FHeld = FFile >= 0 && flock(FFile, LOCK_EX | LOCK_NB) == 0;
}

MachineLock::~MachineLock() {
    if (FFile >= 0) close(FFile); // gives the lock back
}

} // namespace quillaby::platform
