#pragma once
// One run of the scene on one SDL window: the window and its GL surface, the scene built from the
// program's resources (or an asset folder), the frame loop set up and reset, and the sound.
#include <memory>
#include <optional>

#include "app/CommandLine.h"
#include "app/GLTrace.h"
#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"
#include "platform/sdl/SdlGLWindow.h"
#include "scene/BubbleSound.h"
#include "scene/FrameLoop.h"
#include "scene/SurfaceSize.h"
#include "scene/UnderwaterScene.h"

namespace quillaby::app {

class SceneSession {
  public:
    // Builds everything and resets the scene; the first RenderFrame follows. With a fixed step every
    // frame advances the scene by exactly that many seconds (reproducible pictures).
    SceneSession(const RunOptions& options, platform::SdlGLWindowOptions window,
                 std::optional<double> fixedStep = std::nullopt);
    ~SceneSession();
    SceneSession(const SceneSession&) = delete;
    SceneSession& operator=(const SceneSession&) = delete;

    platform::SdlGLWindow& Window() { return FWindow; }
    TFrameLoop& Loop() { return FLoop; }
    TUnderwaterScene& Scene() { return FScene; }
    // The choices the scene reads every frame; a change shows in the next frame.
    TSceneOptions& Options() { return FOptions; }
    // Starts or stops the bubble sound as Options().SoundEnabled says; the player is made when first
    // needed. A sound that cannot play is reported and switches the option off.
    void ApplySound();

  private:
    TSceneOptions FOptions;
    // Declared in the order they must be built; destroyed the other way round, so the scene (with
    // its context) goes before the window, and the sound player outlives the scene that stops it.
    std::unique_ptr<platform::SoundPlayer> FPlayer;
    std::unique_ptr<platform::MessageBox> FMessages;
    std::unique_ptr<BubbleSound> FSound;
    platform::SdlGLWindow FWindow;
    scene::GLSurfaceSize FSurfaceSize;
    TUnderwaterScene FScene;
    TFrameLoop FLoop;
    std::unique_ptr<GLTrace> FTrace; // ends first, while the context still exists
};

} // namespace quillaby::app
