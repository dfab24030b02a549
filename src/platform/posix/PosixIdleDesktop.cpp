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
    : FSource(std::move(source)), FSourceName(std::move(sourceName)), FBlankSeconds(std::move(blankSeconds)) {
    const sigset_t set = WatchedSignals();
    sigprocmask(SIG_BLOCK, &set, &FOldMask);
    FSignalFd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (FSignalFd < 0) {
        sigprocmask(SIG_SETMASK, &FOldMask, nullptr);
        throw Error(std::string("Cannot wait for signals: ") + std::strerror(errno));
    }
}

PosixIdleDesktop::~PosixIdleDesktop() {
    StopSaver();
    close(FSignalFd);
    sigprocmask(SIG_SETMASK, &FOldMask, nullptr);
}

IdleEvent PosixIdleDesktop::Next() {
    while (FPending.empty()) {
        pollfd fds[2] = {{FSignalFd, POLLIN, 0}, {FSource->Descriptor(), POLLIN, 0}};
        const int count = fds[1].fd >= 0 ? 2 : 1;
        const int ready = poll(fds, count, FSource->TimeoutMilliseconds());
        if (ready < 0 && errno != EINTR)
            throw Error(std::string("Cannot wait for the desktop: ") + std::strerror(errno));
        if (ready > 0 && fds[0].revents != 0) ReadSignals();
        // On news, and when the source's own time to look has come.
        if (ready == 0 || (count == 2 && fds[1].revents != 0)) {
            std::vector<IdleEvent> events;
            FSource->Dispatch(events);
            FPending.insert(FPending.end(), events.begin(), events.end());
        }
    }
    const IdleEvent next = FPending.front();
    FPending.pop_front();
    return next;
}

void PosixIdleDesktop::ReadSignals() {
    signalfd_siginfo info{};
    while (read(FSignalFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        if (info.ssi_signo == SIGCHLD) {
            if (FSaver > 0 && Reap(false)) FPending.push_back(IdleEvent::SaverEnded);
        } else {
            FPending.push_back(IdleEvent::Stop);
        }
    }
}

bool PosixIdleDesktop::Reap(bool wait) {
    int status = 0;
    pid_t done;
    do {
        done = waitpid(FSaver, &status, wait ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == 0) return false;
    FExitCode = done < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    FSaver = -1;
    return true;
}

bool PosixIdleDesktop::StartSaver(const std::string& program, const std::vector<std::string>& arguments,
                                  std::string& whyNot) {
    if (FSaver > 0) return true;
    const int pid = Spawn(program, arguments, SpawnOptions{}, &whyNot);
    if (pid < 0) return false;
    FSaver = pid;
    return true;
}

void PosixIdleDesktop::StopSaver() {
    if (FSaver <= 0) return;
    kill(FSaver, SIGTERM);
    for (int waited = 0; waited < kStopGrace; waited += 20) {
        if (Reap(false)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(FSaver, SIGKILL);
    Reap(true);
}

} // namespace quillaby::platform
