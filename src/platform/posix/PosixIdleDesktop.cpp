#include "platform/posix/PosixIdleDesktop.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "base/Error.h"
#include "platform/posix/Spawn.h"

namespace quillaby::platform {
namespace {

sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGTERM, SIGINT, SIGHUP, SIGCHLD}) sigaddset(&set, s);
    return set;
}

// A saver asked to end gets this long before it is killed (milliseconds): it ends in well under one.
constexpr int kStopGrace = 5000;

} // namespace

PosixIdleDesktop::PosixIdleDesktop(std::unique_ptr<IdleSource> source, std::string sourceName,
                                   std::function<std::optional<int>()> blankSeconds)
    : source_(std::move(source)), sourceName_(std::move(sourceName)), blankSeconds_(std::move(blankSeconds)) {
    const sigset_t set = WatchedSignals();
    sigprocmask(SIG_BLOCK, &set, &oldMask_);
    signalFd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signalFd_ < 0) {
        sigprocmask(SIG_SETMASK, &oldMask_, nullptr);
        throw Error(std::string("Cannot wait for signals: ") + std::strerror(errno));
    }
}

PosixIdleDesktop::~PosixIdleDesktop() {
    StopSaver();
    close(signalFd_);
    sigprocmask(SIG_SETMASK, &oldMask_, nullptr);
}

IdleEvent PosixIdleDesktop::Next() {
    while (pending_.empty()) {
        pollfd fds[2] = {{signalFd_, POLLIN, 0}, {source_->Descriptor(), POLLIN, 0}};
        const int count = fds[1].fd >= 0 ? 2 : 1;
        const int ready = poll(fds, count, source_->TimeoutMilliseconds());
        if (ready < 0 && errno != EINTR)
            throw Error(std::string("Cannot wait for the desktop: ") + std::strerror(errno));
        if (ready > 0 && fds[0].revents != 0) ReadSignals();
        // On news, and when the source's own time to look has come.
        if (ready == 0 || (count == 2 && fds[1].revents != 0)) {
            std::vector<IdleEvent> events;
            source_->Dispatch(events);
            pending_.insert(pending_.end(), events.begin(), events.end());
        }
    }
    const IdleEvent next = pending_.front();
    pending_.pop_front();
    return next;
}

void PosixIdleDesktop::ReadSignals() {
    signalfd_siginfo info{};
    while (read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        if (info.ssi_signo == SIGCHLD) {
            if (saver_ > 0 && Reap(false)) pending_.push_back(IdleEvent::SaverEnded);
        } else {
            pending_.push_back(IdleEvent::Stop);
        }
    }
}

bool PosixIdleDesktop::Reap(bool wait) {
    int status = 0;
    pid_t done;
    do {
        done = waitpid(saver_, &status, wait ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == 0) return false;
    exitCode_ = done < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    saver_ = -1;
    return true;
}

bool PosixIdleDesktop::StartSaver(const std::string& program, const std::vector<std::string>& arguments,
                                  std::string& whyNot) {
    if (saver_ > 0) return true;
    const int pid = Spawn(program, arguments, SpawnOptions{}, &whyNot);
    if (pid < 0) return false;
    saver_ = pid;
    return true;
}

void PosixIdleDesktop::StopSaver() {
    if (saver_ <= 0) return;
    kill(saver_, SIGTERM);
    for (int waited = 0; waited < kStopGrace; waited += 20) {
        if (Reap(false)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(saver_, SIGKILL);
    Reap(true);
}

} // namespace quillaby::platform
