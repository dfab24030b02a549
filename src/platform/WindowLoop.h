#pragma once
// The event loop of a program that runs one window of its own: the window's input and window events,
// taken one batch per frame.
#include <chrono>
#include <string>
#include <thread>

namespace quillaby::platform {

class WindowLoop {
  public:
    enum class Next {
        Frame,           // draw the next frame
        FrameAfterPause, // the window was unseen for a while: that time is no step of the scene
        End,             // Esc, the close box, or the system asks the program to end
    };

    virtual ~WindowLoop() = default;
    // Takes the pending events and never waits while the window can be seen; while it cannot
    // (unmapped, minimised, fully covered) it waits for events instead of drawing.
    virtual Next Pump() = 0;
    // For a program that stops drawing of its own accord (the wallpaper on battery): takes the pending
    // events without drawing, the window keeping its last picture, and waits `milliseconds` without
    // spinning, less when the system asks the program to end. End, or Frame once the time is up.
    virtual Next Rest(int milliseconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return Pump() == Next::End ? Next::End : Next::Frame;
    }
    // Why the loop ended when the user did not end it (the system took the window away), for the
    // log; empty otherwise.
    virtual std::string Ending() const { return {}; }
};

} // namespace quillaby::platform
