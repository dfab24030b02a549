#include "platform/posix/StopSignals.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace quillaby::platform {

namespace {

// Only async-signal-safe state: the handler and the loop talk through these two flags.
volatile sig_atomic_t armed = 0;
volatile sig_atomic_t requested = 0;
struct sigaction previousTerm;
struct sigaction previousInt;

void OnStopSignal(int) {
    if (!armed) _exit(0);
    requested = 1;
}

} // namespace

StopSignals::StopSignals() {
    armed = 0;
    requested = 0;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a pause returns early
    sigaction(SIGTERM, &action, &previousTerm);
    sigaction(SIGINT, &action, &previousInt);
}

StopSignals::~StopSignals() {
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGINT, &previousInt, nullptr);
    armed = 0;
}

void StopSignals::Arm() {
    armed = 1;
}

bool StopSignals::Requested() const {
    return requested != 0;
}

void StopSignals::Pause(long microseconds) const {
    timespec rest = {microseconds / 1000000, (microseconds % 1000000) * 1000};
    while (!requested && nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

} // namespace quillaby::platform
