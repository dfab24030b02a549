#pragma once
// The X server's own screen saver (its blanking) held off while a screen saver of ours runs, with the
// monitor's power saving left to the user. The server's saver timer is reset shortly before it would
// fire, from a connection and a thread of our own: nothing of the server's settings changes, so there
// is nothing to restore however the process ends. A reset also restarts the server's DPMS timers, so
// the hold powers the monitor down itself at the user's DPMS timeouts, counted from the user's last
// input. It never wakes a monitor that is powered down, never resets while it is, and never touches
// the user's DPMS settings.
#include <memory>

#include "platform/BlankingHold.h"

namespace quillaby::platform {

class X11BlankingHold final : public BlankingHold {
  public:
    X11BlankingHold();
    ~X11BlankingHold() override;
    X11BlankingHold(const X11BlankingHold&) = delete;
    X11BlankingHold& operator=(const X11BlankingHold&) = delete;

    // Holds nest: the first Hold takes down a server saver that is on (unless the monitor is powered
    // down) and starts holding, the matching last Release stops. Without an X display there is
    // nothing to hold, and nothing is reported.
    void Hold() override;
    void Release() override;

  private:
    struct State;
    std::unique_ptr<State> FState;
};

} // namespace quillaby::platform
