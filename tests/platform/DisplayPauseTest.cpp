// A frame loop's pause while the monitors are off: it waits instead of drawing, and the scene's
// resume runs once, on the first pass that finds them lit again.
#include <gtest/gtest.h>

#include <deque>

#include "platform/DisplayPower.h"

using namespace quillaby::platform;

namespace {

class FakeDisplayPower : public DisplayPower {
  public:
    FakeDisplayPower(std::deque<bool> answers, std::vector<int>& waits)
        : FAnswers(std::move(answers)), FWaits(waits) {}
    bool On() override {
        const bool on = FAnswers.front();
        FAnswers.pop_front();
        return on;
    }
    void Wait(int milliseconds) override { FWaits.push_back(milliseconds); }

  private:
    std::deque<bool> FAnswers;
    std::vector<int>& FWaits;
};

} // namespace

TEST(DisplayPause, WaitsWhileOffAndResumesOnceWhenLit) {
    std::vector<int> waits;
    DisplayPause pause(
        std::make_unique<FakeDisplayPower>(std::deque<bool>{true, false, false, true, true}, waits));
    int resumed = 0;
    const auto resume = [&resumed] { ++resumed; };
    std::vector<bool> asleep;
    for (int i = 0; i < 5; ++i) asleep.push_back(pause.Asleep(resume));
    EXPECT_EQ(asleep, (std::vector<bool>{false, true, true, false, false}));
    EXPECT_EQ(resumed, 1);
    // Each pass asleep waits about a second: one look at the monitors a second, no spinning.
    ASSERT_EQ(waits.size(), 2u);
    for (int ms : waits) EXPECT_EQ(ms, 1000);

    DisplayPause unwatched(nullptr);
    EXPECT_FALSE(unwatched.Asleep(resume));
}
