#pragma once
// A child process that puts the X display's screen configuration back when the program dies while
// the display is in a mode it switched to (SIGKILL, a crash: every end that runs none of our code).
// It records the desktop's configuration when it starts, before the first switch, and learns from
// the program whether the display is switched; when the program's end of the socket closes while
// switched, it restores through RandR.
#include <memory>

#include "platform/ModeRescue.h"

namespace quillaby::platform {

class ModeWatchdog final : public ModeRescue {
  public:
    // Null when there is no X display to watch or the child could not start.
    static std::unique_ptr<ModeWatchdog> Start();
    // Ends the child (it restores nothing unless told Switched without Restored).
    ~ModeWatchdog() override;
    ModeWatchdog(const ModeWatchdog&) = delete;
    ModeWatchdog& operator=(const ModeWatchdog&) = delete;

    void Switched() override;
    void Restored() override;

  private:
    ModeWatchdog(int socket, int child) : FSocket(socket), FChild(child) {}
    void Tell(char state);

    int FSocket;
    int FChild;
};

} // namespace quillaby::platform
