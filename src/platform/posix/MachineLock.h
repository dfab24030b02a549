#pragma once
// A lock that one process on the machine holds at a time: an flock on a file in $TMPDIR (or /tmp),
// given back when the holder ends, however it ends.
#include <string>

namespace quillaby::platform {

class MachineLock {
  public:
    // Tries once, without waiting; Held says whether this process got it.
    explicit MachineLock(const std::string& name);
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

    bool Held() const { return FHeld; }

  private:
    int FFile = -1;
    bool FHeld = false;
};

} // namespace quillaby::platform
