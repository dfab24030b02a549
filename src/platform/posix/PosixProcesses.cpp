#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/Processes.h"

extern char** environ;

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
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    // The child starts with default signal handling and no blocked signals, whatever ours are.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return -1;
    // Set on the child, not on us first: a lowered priority of ours would be inherited for good.
    if (niceValue != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(pid), niceValue);
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
