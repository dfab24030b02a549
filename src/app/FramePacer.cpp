#include "app/FramePacer.h"

#include <chrono>
#include <thread>

namespace quillaby::app {

FramePacer::FramePacer(int maxFps) : FPeriod(maxFps > 0 ? 1.0 / maxFps : 0) {}

double FramePacer::Wait(double now) {
    if (FPeriod <= 0) return 0;
    if (!FStarted) {
        FStarted = true;
        FDue = now + FPeriod;
        return FPeriod;
    }
    FDue += FPeriod;
    if (now - FDue > FPeriod) { // more than a frame behind: go on at once, on a schedule from now
        FDue = now;
        return 0;
    }
    return FDue > now ? FDue - now : 0;
}

void FramePacer::Pace() {
    if (FPeriod <= 0) return;
    using Clock = std::chrono::steady_clock;
    const double now = std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
    const double wait = Wait(now);
    if (wait > 0) std::this_thread::sleep_for(std::chrono::duration<double>(wait));
}

} // namespace quillaby::app
