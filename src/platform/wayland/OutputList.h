#pragma once
// The compositor's outputs as its wl_output globals describe them: each grows field by field and
// counts once its first "done" came; globals come and go during a run. No protocol types here: the
// connection feeds the events in, so the list can be tested on its own.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Monitors.h"

namespace quillaby::platform {

struct OutputInfo {
    uint32_t Global = 0; // the registry's name of the wl_output global
    std::string Name;    // "HEADLESS-1", "DP-1" ...
    int X = 0;           // desktop position, logical pixels
    int Y = 0;
    int PixelWidth = 0; // the current mode, real pixels
    int PixelHeight = 0;
    int Scale = 1;
    bool Done = false;
    // The output's rectangle on the desktop in logical pixels (what surfaces are sized in).
    MonitorRect Logical() const;
};

class OutputList {
  public:
    void Add(uint32_t global);
    // False when no such global was added (or it went already).
    bool Remove(uint32_t global);
    // The output with this global, or null; fields are written through it as events come.
    OutputInfo* Find(uint32_t global);
    // Marks the output complete; true when that changed anything a cover depends on.
    bool Done(uint32_t global);
    // Complete outputs, in the order they came.
    std::vector<OutputInfo> Ready() const;
    // The output at the desktop's origin, or else the first complete one.
    std::optional<OutputInfo> Primary() const;

  private:
    std::vector<OutputInfo> FOutputs;
};

} // namespace quillaby::platform
