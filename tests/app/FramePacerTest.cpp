// The frame cap's schedule against a clock the test moves: no real time passes.
#include <gtest/gtest.h>

#include "app/FramePacer.h"

using quillaby::app::FramePacer;

namespace {

// Draws frames of `drawSeconds` each for `runSeconds` of the fake clock, sleeping as the pacer says
// and every sleep ending `lateSeconds` late (as a system timer does); the frames drawn.
int FramesDrawn(FramePacer& pacer, double drawSeconds, double lateSeconds, double runSeconds) {
    double now = 100; // the clock need not start at 0
    const double end = now + runSeconds;
    int frames = 0;
    while (now < end) {
        now += drawSeconds;
        ++frames;
        const double wait = pacer.Wait(now);
        EXPECT_GE(wait, 0);
        if (wait > 0) now += wait + lateSeconds;
    }
    return frames;
}

} // namespace

TEST(FramePacer, HoldsTheRateWhateverTheFramesAndSleepsCost) {
    FramePacer uncapped(0);
    EXPECT_FALSE(uncapped.Capped());
    EXPECT_EQ(uncapped.Wait(5), 0);

    // Fast frames and late wake-ups alike: the schedule is absolute, lateness is not carried.
    for (double draw : {0.001, 0.010, 0.030})
        for (double late : {0.0, 0.002, 0.015}) {
            FramePacer pacer(30);
            const int frames = FramesDrawn(pacer, draw, late, 10);
            EXPECT_GE(frames, 295) << "draw " << draw << " s, late " << late << " s";
            EXPECT_LE(frames, 302) << "draw " << draw << " s, late " << late << " s";
        }

    // Frames slower than the cap are never held back.
    FramePacer slow(30);
    EXPECT_GE(FramesDrawn(slow, 0.050, 0.002, 10), 199);
}

TEST(FramePacer, AStallOrAPauseIsNotCaughtUpInABurst) {
    FramePacer pacer(10); // 0.1 s a frame
    double now = 0;
    EXPECT_DOUBLE_EQ(pacer.Wait(now), 0.1);
    now = 0.1 + 0.02; // the next frame took 0.02 s
    EXPECT_NEAR(pacer.Wait(now), 0.08, 1e-9);
    now = 0.2 + 1.0; // then one took a whole second
    EXPECT_EQ(pacer.Wait(now), 0) << "the frame after a stall starts at once";
    now += 0.02;
    EXPECT_NEAR(pacer.Wait(now), 0.08, 1e-9) << "and the next keeps the cap, not a burst";

    pacer.Restart(); // the window was unseen
    EXPECT_DOUBLE_EQ(pacer.Wait(50), 0.1);
}
