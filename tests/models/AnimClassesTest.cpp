// Key-frame animation: key order, the search for the keys around a time, looping and stopping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "geometry/AnimClasses.h"

namespace {

// Records what the animation asks to be shown.
class RecordingAnimation : public TKeyAnimation {
  public:
    struct Shown {
        Extended Key1, Key2, Factor;
    };
    std::vector<Shown> Calls;

    void AddKeys(std::initializer_list<Extended> times) {
        for (Extended t : times) Add(std::make_unique<TAnimationKey>(), t);
    }
    std::vector<Extended> KeyTimes() const {
        std::vector<Extended> times;
        for (int i = 0; i < KeyCount(); ++i) times.push_back(GetKey(i)->Time);
        return times;
    }

  protected:
    void Interpolate(const TAnimationKey& Key1, const TAnimationKey& Key2, Extended Factor) override {
        Calls.push_back({Key1.Time, Key2.Time, Factor});
    }
};

// The shipped waving list: keys 0.0, 0.2, ..., 2.0.
void AddWaveKeys(RecordingAnimation& a) {
    for (int i = 0; i <= 10; ++i) a.Add(std::make_unique<TAnimationKey>(), i * 0.2L);
}

std::string ErrorOf(auto&& operation) {
    try {
        operation();
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "";
}

TEST(KeyAnimation, ANewAnimationIsStoppedAndUpdatesNothingBeforeStart) {
    RecordingAnimation a;
    EXPECT_EQ(a.Time(), -1);
    EXPECT_TRUE(a.Stopped());
    a.AddKeys({0.5L}); // a first key leaves the range at 0..0
    EXPECT_EQ(a.EndTime(), 0);
    a.Update(5);
    EXPECT_EQ(a.Time(), -1);
    EXPECT_TRUE(a.Calls.empty());
}

TEST(KeyAnimation, IndexByTimeFindsTheKeyAtOrBefore) {
    RecordingAnimation a;
    EXPECT_EQ(ErrorOf([&] { a.IndexByTime(0); }), "TKeyAnimation IndexByTime is failed\r\nKeyCount is Zero!");
    a.AddKeys({0.0L, 0.2L, 0.4L});
    EXPECT_EQ(a.IndexByTime(0.3L), 1);
    EXPECT_EQ(a.IndexByTime(0.2L), 1);
    EXPECT_EQ(a.IndexByTime(-1), 0);
    EXPECT_EQ(a.IndexByTime(5), 2);
    EXPECT_EQ(a.IndexByTime(0), 0);
}

TEST(KeyAnimation, KeysStaySortedAndEqualTimesGoAfterTheFirst) {
    RecordingAnimation a;
    a.AddKeys({0.0L, 1.0L, 1.0L});
    TAnimationKey* marked = a.Add(std::make_unique<TAnimationKey>(), 1.0L);
    EXPECT_EQ(a.GetKey(2), marked);
    a.AddKeys({-0.5L});
    EXPECT_EQ(a.KeyTimes(), (std::vector<Extended>{-0.5L, 0, 1, 1, 1}));
    EXPECT_EQ(a.StartTime(), -0.5L);
    EXPECT_EQ(a.EndTime(), 1);
    a.AddKeys({0.5L, 3});
    EXPECT_EQ(a.KeyTimes(), (std::vector<Extended>{-0.5L, 0, 0.5L, 1, 1, 1, 3}));
    EXPECT_EQ(a.EndTime(), 3);
}

TEST(KeyAnimation, ErrorsCarryTheOperationPrefix) {
    RecordingAnimation a;
    EXPECT_EQ(ErrorOf([&] { a.Add(nullptr, 1); }), "TKeyAnimation.Add error: Key is NIL!");
    EXPECT_EQ(ErrorOf([&] { a.GetKey(0); }),
              "TKeyAnimation GetKey is failed!\r\nList index out of bounds (0)");
    a.AddKeys({0, 1});
    EXPECT_EQ(ErrorOf([&] { a.Delete(2); }),
              "TKeyAnimation Delete is failed!\r\nList index out of bounds (2)");
    a.Delete(0);
    EXPECT_EQ(a.KeyTimes(), std::vector<Extended>{1});
    EXPECT_EQ(a.EndTime(), 1); // not recomputed
}

TEST(KeyAnimation, LoopedPlaybackWrapsOverTheDuration) {
    RecordingAnimation a;
    AddWaveKeys(a);
    a.SetLooped(true);
    a.Start(10);
    a.Update(12.5L);
    EXPECT_NEAR(static_cast<double>(a.Time()), 0.5, 1e-12);
    ASSERT_EQ(a.Calls.size(), 1u);
    EXPECT_NEAR(static_cast<double>(a.Calls[0].Key1), 0.4, 1e-12);
    EXPECT_NEAR(static_cast<double>(a.Calls[0].Key2), 0.6, 1e-12);
    EXPECT_NEAR(static_cast<double>(a.Calls[0].Factor), 0.5, 1e-9);
    a.Update(12.0L);
    EXPECT_EQ(a.Time(), 0);
    ASSERT_EQ(a.Calls.size(), 2u);
    EXPECT_EQ(a.Calls[1].Key1, 0);
    EXPECT_EQ(a.Calls[1].Factor, 0);
    EXPECT_FALSE(a.Stopped());
    a.Update(12.0L); // no change: nothing shown again
    EXPECT_EQ(a.Calls.size(), 2u);
}

TEST(KeyAnimation, PlaybackWithoutLoopStopsOnTheLastPose) {
    RecordingAnimation a;
    AddWaveKeys(a);
    a.Start(10);
    a.Update(13);
    EXPECT_EQ(a.Time(), 2);
    EXPECT_TRUE(a.Stopped());
    ASSERT_EQ(a.Calls.size(), 1u);
    EXPECT_EQ(a.Calls[0].Key1, 2);
    EXPECT_EQ(a.Calls[0].Key2, 2);
    a.Update(10.5L);
    EXPECT_EQ(a.Calls.size(), 1u);
    a.Start(20);
    a.Update(20.3L);
    EXPECT_NEAR(static_cast<double>(a.Time()), 0.3, 1e-12);
    EXPECT_FALSE(a.Stopped());
}

TEST(KeyAnimation, AClockBeforeTheStartCountsAsTheStartAndEarlyTimesExtrapolate) {
    RecordingAnimation a;
    a.AddKeys({1, 2, 3}); // the range is 0..3: times below 1 lie before the first key
    a.Start(10);
    a.Update(8);
    EXPECT_EQ(a.Time(), 0);
    a.Update(10.5L);
    ASSERT_EQ(a.Calls.size(), 2u);
    EXPECT_EQ(a.Calls[1].Key1, 1);
    EXPECT_EQ(a.Calls[1].Key2, 2);
    EXPECT_NEAR(static_cast<double>(a.Calls[1].Factor), -0.5, 1e-12);
}

TEST(KeyAnimation, LoopedKeysAtOneTimeRestOnTheFirstKey) {
    for (const auto& times : {std::vector<Extended>{0, 0}, std::vector<Extended>{0.5L}}) {
        RecordingAnimation a;
        for (Extended t : times) a.Add(std::make_unique<TAnimationKey>(), t);
        a.SetLooped(true);
        a.Start(0);
        a.Update(0.75L);
        a.Update(7.25L);
        EXPECT_EQ(a.Time(), 0);
        // From the initial -1 to 0 is one change: the first key is shown once, with factor 0.
        ASSERT_EQ(a.Calls.size(), 1u);
        EXPECT_EQ(a.Calls[0].Key1, times[0]);
        EXPECT_EQ(a.Calls[0].Factor, 0);
    }
}

TEST(AnimationList, StartsAndUpdatesEveryAnimationInOrder) {
    TAnimationList list;
    auto* first = static_cast<RecordingAnimation*>(list.Add(std::make_unique<RecordingAnimation>()));
    auto* second = static_cast<RecordingAnimation*>(list.Add(std::make_unique<RecordingAnimation>()));
    first->AddKeys({0, 1});
    second->AddKeys({0, 2});
    list.Start(1);
    list.Update(2);
    EXPECT_EQ(list.Time(), 2);
    EXPECT_EQ(first->Time(), 1);
    EXPECT_TRUE(first->Stopped());
    EXPECT_EQ(second->Time(), 1);
    EXPECT_FALSE(second->Stopped());
    EXPECT_THROW(list.Items(2), quillaby::Error);
}

} // namespace
