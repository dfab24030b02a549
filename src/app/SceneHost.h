#pragma once
// The scene as the saver host runs it: built once per program run, drawn into a render window made
// anew for every run (full screen now, the dialog's panel later), with its bubbling sound and the
// description of the OpenGL implementation collected on the first set-up.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/FramePacer.h"
#include "platform/GLWindow.h"
#include "scene/FrameLoop.h"
#include "scene/SceneOptions.h"
#include "scene/SurfaceSize.h"
#include "scene/UnderwaterScene.h"

namespace quillaby {
class BubbleSound;
}
namespace quillaby::platform {
class MessageBox;
class OtherMonitors;
class Services;
class SoundPlayer;
} // namespace quillaby::platform

namespace quillaby::app {

class TSceneHost {
  public:
    // The services, the options and the message box must outlive the host. The sound player exists from here
    // on, also while sound is off, so that it can be switched on later.
    TSceneHost(platform::Services& services, TSceneOptions& options, platform::MessageBox& messages,
               std::unique_ptr<platform::SoundPlayer> player);
    ~TSceneHost();
    TSceneHost(const TSceneHost&) = delete;
    TSceneHost& operator=(const TSceneHost&) = delete;

    TUnderwaterScene& Scene() { return FScene; }
    TFrameLoop& Loop() { return FLoop; }

    // Makes the render window (it appears when OpenGL is set up on it).
    void CreateRenderWindow(platform::GLWindowOptions options);
    platform::GLWindow* RenderWindow() { return FWindow.get(); }
    // Full-screen runs: the monitors other than the render window's show the scene too, or black.
    // Call once OpenGL is set up on the render window; the windows go with it.
    void CoverOtherMonitors(bool drawScene);
    // The render window or one of the other monitors' windows.
    bool OwnsWindow(uint32_t windowId) const;
    // Every window of the run disappears (the run is over; they are freed with the render window).
    void HideRenderWindows();
    // The engine on the render window, then the viewport, light and material; the first time in a
    // run also the OpenGL information (handed to the log writer line by line).
    void SetupOpenGL();
    // The scene's textures lose their GL names, the context goes, the engine forgets the window.
    void ReleaseOpenGL();
    void ReleaseRenderWindow();
    // The frames that follow: at most maxFps a second (0: no cap), drawn at renderScale percent of
    // each side (100: full size).
    void SetPowerSavers(int maxFps, int renderScale);
    // One frame, when there is a render window; under a cap it waits until the next one is due.
    void RenderFrame();
    // Frees the scene (stopping the sound) and the render window.
    void DestroyScene();

    void ApplySound();
    void StopSound();

    // The three lines describing the OpenGL implementation; empty before the first set-up.
    const std::string& OpenGLInfoText() const { return FOpenGLInfoText; }
    // Where the OpenGL information's log lines go.
    std::function<void(const std::string&)> WriteLog;

  private:
    void LogOpenGLInfo();

    platform::Services& FServices;
    TSceneOptions& FOptions;
    platform::MessageBox& FMessages;
    // The player outlives the scene that stops it; the scene (with its engine) goes before the window.
    std::unique_ptr<platform::SoundPlayer> FPlayer;
    std::unique_ptr<BubbleSound> FSound;
    std::unique_ptr<platform::GLWindow> FWindow;
    std::unique_ptr<platform::OtherMonitors> FOthers;
    scene::HeldSurfaceSize<std::unique_ptr<platform::GLWindow>> FSize;
    TUnderwaterScene FScene;
    TFrameLoop FLoop;
    FramePacer FPacer;
    std::string FOpenGLInfoText;
    bool FOpenGLInfoLogged = false;
};

} // namespace quillaby::app
