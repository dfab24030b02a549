#pragma once
// The desktop's own blanking held off while a screen saver of ours runs, as a display server offers
// it (the X server's own screen saver on X11).

namespace quillaby::platform {

class BlankingHold {
  public:
    virtual ~BlankingHold() = default;
    // Holds nest: the first Hold starts holding the blanking off, the matching last Release stops.
    virtual void Hold() = 0;
    virtual void Release() = 0;
};

} // namespace quillaby::platform
