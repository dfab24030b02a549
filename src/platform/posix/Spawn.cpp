#include "platform/posix/Spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>

#include <cstring>

extern char** environ;

namespace quillaby::platform {

int Spawn(const std::string& program, const std::vector<std::string>& arguments, const SpawnOptions& options,
          std::string* whyNot) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!options.Directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.Directory.c_str());
    if (options.NullInput) posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (options.NewSession) flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attributes, flags);

    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed == 0) return pid;
    if (whyNot) *whyNot = std::strerror(failed);
    return -1;
}

} // namespace quillaby::platform
