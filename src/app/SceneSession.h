#pragma once
// One run of the scene on one window: the window and its GL surface, the scene built from the
// program's resources (or an asset folder), the frame loop set up and reset, and the sound.
#include <future>
#include <memory>
#include <optional>

#include "app/CommandLine.h"
#include "app/GLTrace.h"
#include "platform/GLWindow.h"
#include "platform/MessageBox.h"
#include "platform/Services.h"
#include "platform/SoundPlayer.h"
#include "scene/BubbleSound.h"
#include "scene/FrameLoop.h"
#include "scene/SurfaceSize.h"
#include "scene/UnderwaterScene.h"

namespace quillaby::app {

// The loaders read the program's resources, or the files of the --assets folder (empty: none) in
// their place; a folder that does not exist is refused.
void UseProgramResources(const std::string& assetsDir);

class SceneSession {
  public:
    // Builds everything and resets the scene; the first RenderFrame follows. With a fixed step every
    // frame advances the scene by exactly that many seconds (reproducible pictures).
    SceneSession(const RunOptions& options, platform::GLWindowOptions window,
                 std::optional<double> fixedStep = std::nullopt,
                 platform::Services& services = platform::SystemServices());
    ~SceneSession();
    SceneSession(const SceneSession&) = delete;
    SceneSession& operator=(const SceneSession&) = delete;

    platform::GLWindow& Window() { return *FWindow; }
    TFrameLoop& Loop() { return FLoop; }
    TUnderwaterScene& Scene() { return FScene; }
    // The choices the scene reads every frame; a change shows in the next frame.
    TSceneOptions& Options() { return FOptions; }
    // Starts or stops the bubble sound as Options().SoundEnabled says; the player is made when first
    // needed. A sound that cannot play is reported and switches the option off.
    void ApplySound();

  private:
    // Builds the scene from its assets (no OpenGL, no window): run on a second thread.
    void BuildScene(const RunOptions& options);
    void ReleaseScene();

    platform::Services& FServices;
    TSceneOptions FOptions;
    // Declared in the order they must be built; the sound player outlives the scene that stops it,
    // and the destructor frees the scene (with its context) before the window goes.
    std::unique_ptr<platform::SoundPlayer> FPlayer;
    std::unique_ptr<platform::MessageBox> FMessages;
    std::unique_ptr<BubbleSound> FSound;
    scene::HeldSurfaceSize<std::unique_ptr<platform::GLWindow>>
        FSurfaceSize; // of FWindow, read once it exists
    TUnderwaterScene FScene;
    // The assets decode while the window's video and GL driver load; joined before the window is
    // made, so a bad asset is still reported before anything shows.
    std::future<void> FSceneBuilt;
    std::unique_ptr<platform::GLWindow> FWindow;
    TFrameLoop FLoop;
    std::unique_ptr<GLTrace> FTrace; // ends first, while the context still exists
};

} // namespace quillaby::app
