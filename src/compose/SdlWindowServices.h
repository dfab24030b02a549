#pragma once
// The services that SDL gives on every system: windows with OpenGL, the dialog's window, input and
// the monitors, with what the system's desktop adds to them. Each system's services build on these.
#include "platform/Services.h"
#include "platform/sdl/SdlDesktop.h"

namespace quillaby::platform {

class SdlWindowServices : public Services {
  public:
    // The desktop must outlive the services.
    explicit SdlWindowServices(SdlDesktop& desktop) : FDesktop(desktop) {}
    std::unique_ptr<EventPump> CreateEventPump() override;
    MonitorRect PrimaryMonitor() override;
    std::unique_ptr<OtherMonitors> CreateOtherMonitors(OtherMonitors::Fill fill,
                                                       const std::string& title) override;
    DisplayDensity ReadDisplayDensity() override;
    std::unique_ptr<GLWindow> CreateGLWindow(GLWindowOptions options) override;
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::string& title, int width, int height,
                                                     bool hidden, int scale, WindowHandle owner) override;
    std::unique_ptr<VideoHold> HoldVideo() override;
    std::unique_ptr<WindowLoop> CreateWindowLoop(GLWindow& window) override;

  private:
    SdlDesktop& FDesktop;
};

} // namespace quillaby::platform
