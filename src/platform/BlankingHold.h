#pragma once
// The desktop's own blanking held off while a screen saver of ours runs, as a display server offers
// it (the X server's saver and power levels on X11).

namespace quillaby::platform {

class BlankingHold {
  public:
    virtual ~BlankingHold() = default;
    // Holds nest: the first Hold suspends the blanking, the matching last Release lets it go.
    virtual void Hold() = 0;
    virtual void Release() = 0;
};

} // namespace quillaby::platform
