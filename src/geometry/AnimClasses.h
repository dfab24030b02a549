#pragma once
// Time-driven animation: a looping or stop-at-end base, a key-frame animation that keeps its keys
// sorted by time and finds the pair around the current time, and a list that drives many at once.
// Times are in the unit of the clock the caller passes in (seconds with the scene's clock).
#include <memory>
#include <vector>

#include "math/Geometry.h"

class TAnimation {
  public:
    TAnimation() = default;
    virtual ~TAnimation() = default;
    TAnimation(const TAnimation&) = delete;
    TAnimation& operator=(const TAnimation&) = delete;

    // Begins playback at clock value Now.
    void Start(Extended Now);
    // Advances to clock value Now: looped animations wrap over Duration, others stop at EndTime.
    virtual void Update(Extended Now);

    Extended Time() const { return FTime; }
    Extended StartTime() const { return FStartTime; }
    Extended EndTime() const { return FEndTime; }
    Extended Duration() const { return FEndTime - FStartTime; }
    Extended PlayStart() const { return FPlayStart; }
    bool Looped() const { return FLooped; }
    void SetLooped(bool Value) { FLooped = Value; }
    bool Stopped() const { return FStopped; }

  protected:
    // Makes the animated object show Time.
    virtual void ApplyTime() = 0;

    Extended FTime = -1;
    Extended FStartTime = 0;
    Extended FEndTime = 0;

  private:
    Extended FPlayStart = 0;
    bool FLooped = false;
    bool FStopped = true;
};

class TAnimationKey {
  public:
    virtual ~TAnimationKey() = default;
    Extended Time = 0;
};

class TKeyAnimation : public TAnimation {
  public:
    // Does nothing while there is no key.
    void Update(Extended Now) override;

    // Sets the key's time and inserts it in time order (after the first key of an equal time);
    // widens StartTime/EndTime from the second key on. Takes ownership and returns the key.
    virtual TAnimationKey* Add(std::unique_ptr<TAnimationKey> Key, Extended Time);
    // Destroys and removes key Index; StartTime and EndTime stay.
    virtual void Delete(int Index);

    int KeyCount() const { return static_cast<int>(FKeys.size()); }
    TAnimationKey* GetKey(int Index) const;
    // The first key at time T, else the last key before T; 0 before the first key and the last
    // key after the last one.
    int IndexByTime(Extended T) const;

  protected:
    void ApplyTime() override;
    // Shows Key1 moved towards Key2 by Factor (0: Key1, 1: Key2; not clamped).
    virtual void Interpolate(const TAnimationKey& Key1, const TAnimationKey& Key2, Extended Factor) = 0;

  private:
    std::vector<std::unique_ptr<TAnimationKey>> FKeys;
};

// Owns its animations.
class TAnimationList {
  public:
    TAnimationList() = default;
    TAnimationList(const TAnimationList&) = delete;
    TAnimationList& operator=(const TAnimationList&) = delete;

    TAnimation* Add(std::unique_ptr<TAnimation> Animation);
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises the list-index error outside 0..Count-1.
    TAnimation* Items(int Index) const;
    void Clear() { FItems.clear(); }
    // Stores Now in Time, then updates every animation in list order.
    void Update(Extended Now);
    void Start(Extended Now);
    Extended Time() const { return FTime; }

  private:
    std::vector<std::unique_ptr<TAnimation>> FItems;
    Extended FTime = 0;
};
