#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/IdleWatchControl.h"
#include "platform/posix/Spawn.h"

namespace quillaby::platform {
namespace {

constexpr const char* kLockName = "quillabyIdleWatch";

// The process id the lock's holder wrote; 0 while there is none.
pid_t WrittenHolder(const std::string& path) {
    pid_t pid = 0;
    std::ifstream(path) >> pid;
    return pid;
}

// A new holder writes its id just after taking the lock, so a holder found without one is asked
// again for up to a second.
pid_t LockHolder(const std::string& path) {
    pid_t pid = WrittenHolder(path);
    for (int waited = 0; waited < 1000 && pid <= 1; waited += 50) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pid = WrittenHolder(path);
    }
    return pid;
}

} // namespace

std::unique_ptr<InstanceLock> LockIdleWatch() {
    auto lock = LockInstance(kLockName);
    if (!lock) return nullptr;
    // The lock is on the file held open above; this second opening only replaces the text.
    const int fd = open(InstanceLockPath(kLockName).c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        const std::string pid = std::to_string(getpid()) + "\n";
        [[maybe_unused]] const ssize_t written = write(fd, pid.data(), pid.size());
        close(fd);
    }
    return lock;
}

bool StopIdleWatch() {
    const std::string path = InstanceLockPath(kLockName);
    if (TryLockInstance(path)) return false; // nobody holds it
    const pid_t pid = LockHolder(path);
    if (pid <= 1 || kill(pid, SIGTERM) != 0) return false;
    for (int waited = 0; waited < 5000; waited += 50) {
        if (TryLockInstance(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

bool StartIdleWatch(const std::string& program, std::string& whyNot) {
    SpawnOptions options;
    options.NewSession = true;
    options.NullInput = true;
    const pid_t pid = Spawn(program, {program, "--idle-watch"}, options, &whyNot);
    if (pid <= 0) return false;
    // Back once the new watcher holds the lock (or has ended: one was running already), so that an
    // "off" right after finds it. Up to 5 seconds; the lock is read, never taken, meanwhile.
    const std::string path = InstanceLockPath(kLockName);
    for (int waited = 0; waited < 5000; waited += 50) {
        if (WrittenHolder(path) == pid || waitpid(pid, nullptr, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace quillaby::platform
