#pragma once
// The still picture of the preview mode: an X window inside the host window (the system's preview
// area) showing a picture stretched over the host, redrawn when exposed and resized with the host.
// The host going away ends it. With no host it is a small window of its own on the desktop.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventPump.h"
#include "platform/HostPreview.h"
#include "platform/SaverSystem.h"

namespace quillaby::platform {

class X11HostPreview final : public EventPump {
  public:
    // Raises quillaby::Error when there is no X display, or "Invalid window handle ..." when the host
    // window does not exist.
    X11HostPreview(WindowHandle host, RgbPicture picture, const std::string& title);
    ~X11HostPreview() override;
    X11HostPreview(const X11HostPreview&) = delete;
    X11HostPreview& operator=(const X11HostPreview&) = delete;

    // Redraws and follows the host by itself; reports Quit once the host (or our own window) is gone.
    bool Poll(InputEvent& event) override;
    void Wait() override;

    // Our window's id.
    WindowHandle Window() const;

  private:
    struct State;
    std::unique_ptr<State> FState;
};

} // namespace quillaby::platform
