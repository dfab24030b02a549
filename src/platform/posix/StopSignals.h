#pragma once
// SIGTERM and SIGINT as a request to stop, for a process that another program starts and stops
// (hack mode, the still preview). Until Arm, the process is still starting up and nothing of it needs saving: a signal
// then ends it at once with exit status 0. After Arm it only sets the flag that Requested reads, and
// interrupts a pause, so the loop ends at its next look.
namespace quillaby::platform {

class StopSignals {
  public:
    StopSignals();  // installs the handlers
    ~StopSignals(); // restores the ones before
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    void Arm();
    bool Requested() const;
    // Sleeps for the given microseconds or until a stop request, whichever comes first.
    void Pause(long microseconds) const;
};

} // namespace quillaby::platform
