#pragma once
// The idle watcher's desktop on Linux: one source of idle news, the saver as a child process and the
// stop signals, all waited on in one poll(): the watcher costs nothing while it waits.
#include <signal.h>

#include <deque>
#include <functional>

#include "platform/IdleDesktop.h"

namespace quillaby::platform {

class PosixIdleDesktop final : public IdleDesktop {
  public:
    // Blocks SIGTERM, SIGINT, SIGHUP and SIGCHLD for the process and reads them from a descriptor
    // instead; `blankSeconds` reads the desktop's own blank delay (none: not known).
    PosixIdleDesktop(std::unique_ptr<IdleSource> source, std::string sourceName,
                     std::function<std::optional<int>()> blankSeconds);
    ~PosixIdleDesktop() override; // ends a saver still running, restores the signal mask
    PosixIdleDesktop(const PosixIdleDesktop&) = delete;
    PosixIdleDesktop& operator=(const PosixIdleDesktop&) = delete;

    std::string SourceName() const override { return FSourceName; }
    IdleEvent Next() override;
    bool StartSaver(const std::string& program, const std::vector<std::string>& arguments,
                    std::string& whyNot) override;
    bool SaverRunning() const override { return FSaver > 0; }
    int SaverExitCode() const override { return FExitCode; }
    void StopSaver() override;
    std::optional<int> DesktopBlankSeconds() override {
        return FBlankSeconds ? FBlankSeconds() : std::nullopt;
    }

  private:
    void ReadSignals();
    // Collects the saver's exit status when it has ended; true when it had.
    bool Reap(bool wait);

    std::unique_ptr<IdleSource> FSource;
    std::string FSourceName;
    std::function<std::optional<int>()> FBlankSeconds;
    int FSignalFd = -1;
    sigset_t FOldMask{};
    int FSaver = -1; // process id; -1: none running
    int FExitCode = 0;
    std::deque<IdleEvent> FPending;
};

} // namespace quillaby::platform
