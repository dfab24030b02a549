#pragma once
// Whether the server has the monitor powered down (DPMS standby, suspend or off), asked on a
// connection of our own at most once a second.
#include <chrono>
#include <memory>

struct _XDisplay;

namespace quillaby::platform {

class X11DpmsWatch {
  public:
    // Null without an X display, or when the server has no DPMS: the monitor then counts as lit.
    static std::unique_ptr<X11DpmsWatch> Open();
    ~X11DpmsWatch();
    X11DpmsWatch(const X11DpmsWatch&) = delete;
    X11DpmsWatch& operator=(const X11DpmsWatch&) = delete;

    bool PoweredDown();

  private:
    explicit X11DpmsWatch(_XDisplay* display) : FDisplay(display) {}

    _XDisplay* FDisplay;
    bool FPoweredDown = false;
    std::chrono::steady_clock::time_point FNextLook{};
};

} // namespace quillaby::platform
