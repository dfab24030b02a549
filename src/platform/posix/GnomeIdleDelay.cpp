#include "platform/posix/GnomeIdleDelay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <string>

extern char** environ;

namespace quillaby::platform {
namespace {

// gsettings answers in milliseconds; a desktop that has not in this long has no settings to tell.
constexpr int kPatience = 2000; // milliseconds

// "uint32 300" (or "300") to 300.
std::optional<int> ParseDelay(const std::string& text) {
    const size_t digits = text.find_first_of("0123456789");
    if (digits == std::string::npos) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data() + digits, text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data() + digits) return std::nullopt;
    return value;
}

} // namespace

std::optional<int> ReadGnomeIdleDelay() {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"gsettings", "get", "org.gnome.desktop.session", "idle-delay", nullptr};
    pid_t pid = -1;
    const int failed =
        posix_spawnp(&pid, "gsettings", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    if (failed == 0) {
        pollfd fd{out[0], POLLIN, 0};
        char buffer[128];
        ssize_t got = 0;
        while (poll(&fd, 1, kPatience) > 0 && (got = read(out[0], buffer, sizeof buffer)) > 0)
            text.append(buffer, got);
        kill(pid, SIGKILL); // a no-op once it has ended
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) text.clear();
    }
    close(out[0]);
    return ParseDelay(text);
}

} // namespace quillaby::platform
