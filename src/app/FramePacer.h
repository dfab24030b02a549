#pragma once
// A cap on the frame rate: the frames are due on a fixed schedule of 1/N seconds, counted from the
// first, so a sleep that ends late makes the next one shorter instead of slowing the rate.
namespace quillaby::app {

class FramePacer {
  public:
    // maxFps 0: no cap, every wait is 0.
    explicit FramePacer(int maxFps = 0);

    // After a frame, at clock reading `now` (seconds): how long to wait before the next one. When
    // frames fall more than a whole period behind the schedule starts anew, so a stall is never
    // followed by a burst of frames that catch up.
    double Wait(double now);
    // After a pause in drawing (the window was unseen): the next frame starts a new schedule.
    void Restart() { FStarted = false; }
    bool Capped() const { return FPeriod > 0; }

    // Waits as Wait says, sleeping (never spinning) on the steady clock.
    void Pace();

  private:
    double FPeriod = 0; // seconds a frame; 0: no cap
    double FDue = 0;    // when the frame now drawn was due to start; then when the next one is
    bool FStarted = false;
};

} // namespace quillaby::app
