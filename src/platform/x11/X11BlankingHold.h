#pragma once
// The X server's own screen saver and DPMS blanking held off while a screen saver of ours runs. The
// server's timers are suspended for a connection of our own, so the server lets go by itself should
// the process die; a saver or power-saving level already on when the hold starts is taken down.
#include <memory>

#include "platform/BlankingHold.h"

namespace quillaby::platform {

class X11BlankingHold final : public BlankingHold {
  public:
    X11BlankingHold();
    ~X11BlankingHold() override;
    X11BlankingHold(const X11BlankingHold&) = delete;
    X11BlankingHold& operator=(const X11BlankingHold&) = delete;

    // Holds nest: the first Hold suspends the blanking, the matching last Release lets it go. Without
    // an X display there is nothing to hold, and nothing is reported.
    void Hold() override;
    void Release() override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace quillaby::platform
