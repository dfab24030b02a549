#pragma once
// Whether the machine runs on its battery: what runs all day (the wallpaper) rests then, as users of a
// laptop expect.

namespace quillaby::platform {

class PowerSource {
  public:
    virtual ~PowerSource() = default;
    // True while the machine runs on its battery; false on mains and whenever the system stops telling.
    // Cheap enough to ask every frame: it answers from what the system last said.
    virtual bool OnBattery() = 0;
};

} // namespace quillaby::platform
