#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/Processes.h"
#include "platform/posix/Spawn.h"

namespace quillaby::platform {
namespace {

// The child that the signal handlers forward to while WaitForProcess runs; 0 when none.
volatile sig_atomic_t waitedChild = 0;

void Forward(int signal) {
    if (waitedChild > 0) kill(static_cast<pid_t>(waitedChild), signal);
}

constexpr int kForwarded[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

int StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& directory, int niceValue, ShowWindow) {
    SpawnOptions options;
    options.Directory = directory;
    const int pid = Spawn(program, arguments, options);
    // Set on the child, not on us first: a lowered priority of ours would be inherited for good.
    if (pid > 0 && niceValue != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(pid), niceValue);
    return pid;
}

int WaitForProcess(int pid) {
    struct sigaction forward {};
    forward.sa_handler = Forward;
    sigemptyset(&forward.sa_mask);
    struct sigaction old[std::size(kForwarded)];
    waitedChild = pid;
    for (size_t i = 0; i < std::size(kForwarded); ++i) sigaction(kForwarded[i], &forward, &old[i]);

    int status = 0;
    pid_t result;
    do {
        result = waitpid(static_cast<pid_t>(pid), &status, 0);
    } while (result < 0 && errno == EINTR);

    for (size_t i = 0; i < std::size(kForwarded); ++i) sigaction(kForwarded[i], &old[i], nullptr);
    waitedChild = 0;
    if (result < 0) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

int NiceValueOf(int pid) {
    errno = 0;
    return getpriority(PRIO_PROCESS, static_cast<id_t>(pid));
}

} // namespace quillaby::platform

namespace quillaby::platform {

void SetNormalPriority() {
    setpriority(PRIO_PROCESS, 0, 0);
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

} // namespace quillaby::platform
