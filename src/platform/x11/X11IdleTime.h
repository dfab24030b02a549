#pragma once
// The X server's idle time (MIT-SCREEN-SAVER) as a source of idle news, looked at once a second on a
// connection of its own. A player that resets the server's saver (XResetScreenSaver, `xset s reset`)
// resets this idle time too, so it counts as input.
#include <chrono>
#include <memory>

#include "platform/IdleSource.h"

struct _XDisplay;

namespace quillaby::platform {

class X11IdleTime final : public IdleSource {
  public:
    // Null without an X display or without the extension.
    static std::unique_ptr<X11IdleTime> Open(int idleMilliseconds);
    ~X11IdleTime() override;
    X11IdleTime(const X11IdleTime&) = delete;
    X11IdleTime& operator=(const X11IdleTime&) = delete;

    int Descriptor() const override;
    int TimeoutMilliseconds() const override;
    void Dispatch(std::vector<IdleEvent>& events) override;

  private:
    X11IdleTime(_XDisplay* display, int idleMilliseconds)
        : FDisplay(display), FIdleMilliseconds(idleMilliseconds) {}
    // True when the server has closed the connection (reading from it would end the process).
    bool Closed() const;

    _XDisplay* FDisplay;
    int (*FOldIOError)(_XDisplay*) = nullptr; // the process's I/O error handler before ours
    int FIdleMilliseconds;
    bool FIdle = false;
    bool FGone = false;
    std::chrono::steady_clock::time_point FNextLook{};
};

} // namespace quillaby::platform
