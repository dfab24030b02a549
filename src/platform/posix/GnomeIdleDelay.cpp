#include "platform/posix/GnomeIdleDelay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <charconv>
#include <string>

extern char** environ;

namespace quillaby::platform {
namespace {

// gsettings answers in milliseconds; a desktop that has not in this long has no settings to tell.
constexpr int kPatience = 2000; // milliseconds

// "uint32 300\n" (or "300") to 300: the last word is the number.
std::optional<int> ParseDelay(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    const size_t space = text.find_last_of(" \t");
    const size_t start = space == std::string::npos ? 0 : space + 1;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || start == text.size()) return std::nullopt;
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
        bool ended = false; // standard output closed: the tool has ended or is ending
        while (poll(&fd, 1, kPatience) > 0) {
            got = read(out[0], buffer, sizeof buffer);
            if (got <= 0) {
                ended = got == 0;
                break;
            }
            text.append(buffer, static_cast<size_t>(got));
        }
        if (!ended) kill(pid, SIGKILL); // it hung: what it said is not to be trusted
        int status = 0;
        waitpid(pid, &status, 0);
        if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) text.clear();
    }
    close(out[0]);
    return ParseDelay(text);
}

} // namespace quillaby::platform
