#pragma once
// Whether the monitors are lit: a frame loop draws nothing while the system has powered them down
// (a picture nobody can see is the largest waste a saver makes), and waits instead.

namespace quillaby::platform {

class DisplayPower {
  public:
    virtual ~DisplayPower() = default;
    // False while the monitors are powered down (standby, suspend or off); a dimmed display is on.
    // Asks the system at most about once a second.
    virtual bool On() = 0;
    // Waits without spinning until input is pending or `milliseconds` have passed.
    virtual void Wait(int milliseconds) = 0;
};

} // namespace quillaby::platform

#include <functional>
#include <memory>

namespace quillaby::platform {

// A frame loop's pause while the monitors are powered down.
class DisplayPause {
  public:
    // No power watch: the monitors count as lit.
    explicit DisplayPause(std::unique_ptr<DisplayPower> power) : FPower(std::move(power)) {}
    // True while the monitors are off: the call has waited up to a second (less when input comes)
    // and the pass draws nothing. `resumed` runs on the first pass that finds them lit again.
    bool Asleep(const std::function<void()>& resumed);

  private:
    std::unique_ptr<DisplayPower> FPower;
    bool FAsleep = false;
};

} // namespace quillaby::platform
