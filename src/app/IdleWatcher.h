#pragma once
// The idle watcher's rounds: the saver starts when the desktop has been idle, once a spell, never
// while the desktop's own shield (its blanking and lock) is up, and ends when the shield comes up.
#include <functional>
#include <string>
#include <vector>

#include "platform/IdleDesktop.h"

namespace quillaby::app {

class IdleWatcher {
  public:
    // `saver`: the program and its arguments (argument 0 included); `say` gets each line for the user.
    IdleWatcher(platform::IdleDesktop& desktop, std::vector<std::string> saver,
                std::function<void(const std::string&)> say)
        : FDesktop(desktop), FSaver(std::move(saver)), FSay(std::move(say)) {}

    // Watches until SIGTERM or SIGINT, or until the session ends; a saver still running is ended
    // first. Returns the exit code, 0.
    int Run();

  private:
    void StartSaver();

    platform::IdleDesktop& FDesktop;
    std::vector<std::string> FSaver;
    std::function<void(const std::string&)> FSay;
    bool FShield = false;
};

} // namespace quillaby::app
