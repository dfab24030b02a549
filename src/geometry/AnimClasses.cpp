#include "geometry/AnimClasses.h"

#include <string>

#include "base/Error.h"
#include "math/FastMath.h"

namespace {

const char* const LineBreak = "\r\n";

[[noreturn]] void RaiseListIndex(int Index) {
    throw quillaby::Error("List index out of bounds (" + std::to_string(Index) + ")");
}

// Runs Operation; any failure is raised again with Prefix and a line break in front.
template <typename Operation> auto Prefixed(const char* Prefix, Operation&& operation) {
    try {
        return operation();
    } catch (const std::exception& e) {
        throw quillaby::Error(std::string(Prefix) + LineBreak + e.what());
    }
}

} // namespace

void TAnimation::Start(Extended Now) {
    FPlayStart = Now;
    FStopped = false;
}

void TAnimation::Update(Extended Now) {
    if (FStopped) return;
    Extended t = Now - FPlayStart;
    if (t < 0) t = 0;
    if (t == FTime) return;
    if (FLooped) {
        // With no length to loop over (all keys at one time) the animation rests on its start.
        const Extended duration = Duration();
        t = duration > 0 ? Frac(t / duration) * duration : FStartTime;
    } else if (t < FStartTime) {
        t = FStartTime;
    } else if (t >= FEndTime) {
        t = FEndTime;
        FStopped = true;
    }
    if (t != FTime) {
        FTime = t;
        ApplyTime();
    }
}

void TKeyAnimation::Update(Extended Now) {
    if (!FKeys.empty()) TAnimation::Update(Now);
}

int TKeyAnimation::IndexByTime(Extended T) const {
    const int count = KeyCount();
    if (count == 0)
        throw quillaby::Error(std::string("TKeyAnimation IndexByTime is failed") + LineBreak +
                              "KeyCount is Zero!");
    int lo = 0;
    int hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (FKeys[static_cast<size_t>(mid)]->Time < T)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == count) return count - 1;
    if (FKeys[static_cast<size_t>(lo)]->Time == T) return lo;
    return lo > 0 ? lo - 1 : 0;
}

TAnimationKey* TKeyAnimation::Add(std::unique_ptr<TAnimationKey> Key, Extended Time) {
    if (!Key) throw quillaby::Error("TKeyAnimation.Add error: Key is NIL!");
    Key->Time = Time;
    return Prefixed("TKeyAnimation Add is failed!", [&] {
        TAnimationKey* key = Key.get();
        if (FKeys.empty()) {
            FKeys.push_back(std::move(Key));
            return key;
        }
        const int at = Time < FKeys.front()->Time ? 0 : IndexByTime(Time) + 1;
        FKeys.insert(FKeys.begin() + at, std::move(Key));
        if (Time < FStartTime) FStartTime = Time;
        if (Time > FEndTime) FEndTime = Time;
        return key;
    });
}

void TKeyAnimation::Delete(int Index) {
    Prefixed("TKeyAnimation Delete is failed!", [&] {
        if (Index < 0 || Index >= KeyCount()) RaiseListIndex(Index);
        FKeys.erase(FKeys.begin() + Index);
    });
}

TAnimationKey* TKeyAnimation::GetKey(int Index) const {
    return Prefixed("TKeyAnimation GetKey is failed!", [&] {
        if (Index < 0 || Index >= KeyCount()) RaiseListIndex(Index);
        return FKeys[static_cast<size_t>(Index)].get();
    });
}

void TKeyAnimation::ApplyTime() {
    const int i = IndexByTime(FTime);
    const TAnimationKey& k0 = *FKeys[static_cast<size_t>(i)];
    if (i == KeyCount() - 1) {
        Interpolate(k0, k0, 0);
        return;
    }
    const TAnimationKey& k1 = *FKeys[static_cast<size_t>(i) + 1];
    const Extended d = k1.Time - k0.Time;
    if (d > 0)
        Interpolate(k0, k1, (FTime - k0.Time) / d);
    else
        Interpolate(k0, k0, 0);
}

TAnimation* TAnimationList::Add(std::unique_ptr<TAnimation> Animation) {
    TAnimation* animation = Animation.get();
    if (animation != nullptr) FItems.push_back(std::move(Animation));
    return animation;
}

TAnimation* TAnimationList::Items(int Index) const {
    if (Index < 0 || Index >= Count()) RaiseListIndex(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

void TAnimationList::Update(Extended Now) {
    FTime = Now;
    for (const auto& animation : FItems) animation->Update(Now);
}

void TAnimationList::Start(Extended Now) {
    for (const auto& animation : FItems) animation->Start(Now);
}
