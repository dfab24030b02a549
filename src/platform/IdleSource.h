#pragma once
// What the desktop tells an idle watcher: the user has gone idle or come back, the desktop's own
// shield (its blanking and lock screen) has gone up or down, the session is over. Each source is one
// way of hearing it: GNOME's idle monitor, a Wayland compositor's idle protocol, the X server's idle
// time. A source is waited on through a descriptor, so one loop waits on all of them and on the
// saver it started without spinning.
#include <vector>

namespace quillaby::platform {

enum class IdleEvent {
    Idle,        // the user has been idle for the watched time: once a spell, until Active
    Active,      // input after Idle
    ShieldUp,    // the desktop blanked or locked the screen on its own schedule
    ShieldDown,  // and took the shield away again
    SessionGone, // the connection to the desktop closed: the session is over
    SaverEnded,  // the saver the watcher started has ended
    Stop,        // SIGTERM or SIGINT reached the watcher
};

class IdleSource {
  public:
    virtual ~IdleSource() = default;
    // The descriptor that becomes readable when the source has news; -1 when it has none to wait
    // on and is looked at only when TimeoutMilliseconds says.
    virtual int Descriptor() const = 0;
    // Milliseconds until the source must be looked at even without news; -1: only on news.
    virtual int TimeoutMilliseconds() const { return -1; }
    // Reads what has come without blocking (or, past the timeout, looks) and adds what it means to
    // `events`, in order. A connection that closed adds SessionGone.
    virtual void Dispatch(std::vector<IdleEvent>& events) = 0;
};

} // namespace quillaby::platform
