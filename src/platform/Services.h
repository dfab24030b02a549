#pragma once
// The operating system's services as the program uses them. One file per system builds them; the
// program's start-up hands them to the parts that need them.
#include <memory>
#include <string>

#include "platform/DialogWindow.h"
#include "platform/DisplayDensity.h"
#include "platform/DisplayPower.h"
#include "platform/GLWindow.h"
#include "platform/HostPreview.h"
#include "platform/Monitors.h"
#include "platform/OtherMonitors.h"
#include "platform/PowerSource.h"
#include "platform/SaverSystem.h"
#include "platform/VideoHold.h"
#include "platform/WindowLoop.h"

namespace quillaby::platform {

class DisplayModes;
class EventPump;
class MessageBox;
class SoundPlayer;

// Where the scene can be the desktop's wallpaper: on a Wayland compositor's background layer, or on an
// X11 root window that no window of the desktop's own covers.
enum class WallpaperSupport {
    NoSession,     // neither a Wayland compositor nor an X server answers
    NoLayerShell,  // a Wayland compositor without a layer shell (GNOME)
    XWaylandRoot,  // the X server is a Wayland compositor's XWayland, whose root nobody sees
    DesktopWindow, // an X11 desktop covers its root with a window of its own (desktop icons)
    Supported
};

class Services {
  public:
    virtual ~Services() = default;
    // Message boxes; with `interactive` false (or the environment's non-interactive switch) every
    // message goes to the error stream instead.
    virtual std::unique_ptr<MessageBox> CreateMessageBox(bool interactive) = 0;
    virtual std::unique_ptr<SaverSystem> CreateSaverSystem() = 0;
    virtual std::unique_ptr<DisplayModes> CreateDisplayModes() = 0;
    // The application's message queue.
    virtual std::unique_ptr<EventPump> CreateEventPump() = 0;
    // The preview mode's still picture inside `host`; its queue reports Quit once the host is gone.
    // Raises quillaby::Error "Invalid window handle ..." when the host does not exist.
    virtual std::unique_ptr<EventPump> CreateHostPreview(WindowHandle host, RgbPicture picture,
                                                         const std::string& title) = 0;
    virtual std::unique_ptr<SoundPlayer> CreateSoundPlayer() = 0;
    // The primary monitor: where a full-screen run's render window goes.
    virtual MonitorRect PrimaryMonitor() = 0;
    // The covers of the other monitors for a full-screen run. Make them right after the render
    // window's context; the windows appear with the first Follow. `title` names the windows.
    virtual std::unique_ptr<OtherMonitors> CreateOtherMonitors(OtherMonitors::Fill fill,
                                                               const std::string& title) = 0;
    // The density of the display the dialogs open on. Never fails: what cannot be read stays empty.
    virtual DisplayDensity ReadDisplayDensity() = 0;
    // A window for OpenGL; raises quillaby::Error with the system's reason when there is no video.
    virtual std::unique_ptr<GLWindow> CreateGLWindow(GLWindowOptions options) = 0;
    // Whether a window made with GLWindowOptions::Wallpaper can be, asked before anything is made and
    // changing nothing; its other outputs are covered through CreateOtherMonitors, its loop is
    // CreateWindowLoop's.
    virtual WallpaperSupport CanDrawWallpaper() { return WallpaperSupport::NoSession; }
    // The settings dialog's window, centred on the desktop: `width` x `height` design pixels drawn
    // `scale` times larger; owned by (and modal to) `owner`, another program's window, where the
    // system has owners and `owner` is a window (0: none). Raises quillaby::Error with the system's
    // reason when it cannot be made.
    virtual std::unique_ptr<DialogWindow> CreateDialogWindow(const std::string& title, int width, int height,
                                                             bool hidden, int scale, WindowHandle owner) = 0;
    // The video for a program that shows one window of its own, held while the object lives.
    virtual std::unique_ptr<VideoHold> HoldVideo() = 0;
    // The event loop of such a window (made by CreateGLWindow, set up for OpenGL, outliving the loop).
    virtual std::unique_ptr<WindowLoop> CreateWindowLoop(GLWindow& window) = 0;
    // Whether the monitors are lit, for a frame loop to sleep while they are not. Make it once the
    // video runs; it never fails (what cannot be asked counts as lit).
    virtual std::unique_ptr<DisplayPower> WatchDisplayPower() = 0;
    // Whether the machine runs on battery, for the wallpaper to rest then; null where the system cannot
    // tell (the machine counts as on mains). Never fails.
    virtual std::unique_ptr<PowerSource> WatchPowerSource() { return nullptr; }
};

// This system's services, made on first use and kept for the life of the process.
Services& SystemServices();

} // namespace quillaby::platform
