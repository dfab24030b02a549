#include "compose/SdlWindowServices.h"

#include "gl/DialogGLCalls.h"
#include "platform/sdl/SdlDialogWindow.h"
#include "platform/sdl/SdlDisplayDensity.h"
#include "platform/sdl/SdlEventPump.h"
#include "platform/sdl/SdlGLWindow.h"
#include "platform/sdl/SdlOtherMonitors.h"
#include "platform/sdl/SdlWindowJob.h"

namespace quillaby::platform {

std::unique_ptr<EventPump> SdlWindowServices::CreateEventPump() {
    return CreateSdlEventPump();
}

MonitorRect SdlWindowServices::PrimaryMonitor() {
    return SdlOtherMonitors::Primary();
}

std::unique_ptr<OtherMonitors> SdlWindowServices::CreateOtherMonitors(OtherMonitors::Fill fill,
                                                                      const std::string& title) {
    return std::make_unique<SdlOtherMonitors>(fill, title, FDesktop, SetupSaverWindow());
}

DisplayDensity SdlWindowServices::ReadDisplayDensity() {
    return ReadSdlDisplayDensity(FDesktop);
}

std::unique_ptr<GLWindow> SdlWindowServices::CreateGLWindow(GLWindowOptions options) {
    return std::make_unique<SdlGLWindow>(std::move(options), &FDesktop, SetupSaverWindow());
}

std::unique_ptr<DialogWindow> SdlWindowServices::CreateDialogWindow(const std::string& title, int width,
                                                                    int height, bool hidden, int scale,
                                                                    WindowHandle owner) {
    // An owned window appears only once owned, so it never shows outside its owner's order.
    auto window = std::make_unique<SdlDialogWindow>(gl::CreateDialogGL(), title, width, height,
                                                    hidden || owner != 0, scale);
    window->SetDesktop(&FDesktop);
    if (owner != 0) {
        window->HoldOwner(FDesktop.OwnDialog(window->Window(), owner));
        if (!hidden) window->Show();
    }
    return window;
}

std::unique_ptr<VideoHold> SdlWindowServices::HoldVideo() {
    return HoldSdlVideo();
}

std::unique_ptr<WindowLoop> SdlWindowServices::CreateWindowLoop(GLWindow& window) {
    return CreateSdlWindowLoop(window);
}

} // namespace quillaby::platform
