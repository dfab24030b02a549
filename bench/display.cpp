// Listing the display's modes the way the program starts: SDL's list of display 0, the probe and
// the fallback modes, grouped by depth through the 16/32-bit filter. Needs a display; run it under
// the Xorg dummy server for the figure with many modes (see README "Display modes").
#include <benchmark/benchmark.h>

#include <memory>

#include "base/Error.h"
#include "display/DisplayControl.h"
#include "platform/sdl/SdlDisplayModes.h"

static void BM_EnumerateDisplayModes(benchmark::State& state) {
    std::unique_ptr<quillaby::platform::SdlDisplayModes> platform;
    try {
        // Listing only: no switch, so no rescue is needed.
        platform =
            std::make_unique<quillaby::platform::SdlDisplayModes>(quillaby::platform::ModeRescueStart{});
    } catch (const quillaby::Error& e) {
        state.SkipWithError(e.what());
        return;
    }
    TDisplayControl display(*platform);
    display.OnEnumerate = [](int32_t depth, int32_t, int32_t, bool& accept) {
        accept = depth == 16 || depth == 32;
    };
    for (auto _ : state) {
        display.Enumerate();
        benchmark::DoNotOptimize(display.ColorDepthModes.Count());
    }
    state.counters["modes"] = display.VideoModes.Count();
}
BENCHMARK(BM_EnumerateDisplayModes);
