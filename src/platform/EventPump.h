#pragma once
// The application's message queue: input and window events, read one at a time.
#include <cstdint>

namespace quillaby::platform {

struct InputEvent {
    enum class Kind {
        Other,       // nothing the program acts on
        Quit,        // the system asks the program to end (SIGTERM, SIGINT, session end)
        Key,         // a key went down
        MouseButton, // a mouse button went down
        MouseMove,   // the pointer moved to X, Y (window pixels)
        Close,       // the user closed a window
    };
    Kind Type = Kind::Other;
    int X = 0;
    int Y = 0;
    // The same point in the whole desktop's pixels (across monitors): mouse events only.
    int DesktopX = 0;
    int DesktopY = 0;
    uint32_t Window = 0; // the window it happened in; 0 when none
};

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Takes the next pending event; false when none is pending.
    virtual bool Poll(InputEvent& event) = 0;
    // Blocks until an event is pending.
    virtual void Wait() = 0;
};

} // namespace quillaby::platform
