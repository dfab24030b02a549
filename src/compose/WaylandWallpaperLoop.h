#pragma once
// The wallpaper's loop in a Wayland session: a frame whenever the compositor lets the outputs draw
// the next one, the seat's input taken and dropped (the wallpaper lies under what the user works
// with), until SIGTERM or SIGINT or the compositor closing every surface; the connection going raises
// quillaby::DisplayLost.
// With every output gone it waits for one to come, as a full-screen run does.
#include <memory>
#include <string>

#include "platform/WindowLoop.h"
#include "platform/posix/StopSignals.h"

namespace quillaby::platform {

class WaylandConnection;

class WaylandWallpaperLoop final : public WindowLoop {
  public:
    // The connection must outlive the loop. `stop`, installed while the wallpaper started up, is armed
    // here: from now on a signal ends the loop instead of the process.
    WaylandWallpaperLoop(WaylandConnection& connection, std::unique_ptr<StopSignals> stop);
    Next Pump() override;
    Next Rest(int milliseconds) override;
    std::string Ending() const override { return FEnding; }

  private:
    // Takes the compositor's events and drops the input; true when the loop is to end.
    bool TakeEvents();

    WaylandConnection& FConnection;
    std::unique_ptr<StopSignals> FStop;
    std::string FEnding;
};

} // namespace quillaby::platform
