#include "app/SceneSession.h"

#include <filesystem>

#include "gl/LoadSettings.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "scene/SceneRandom.h"

namespace quillaby::app {

namespace {

TSceneOptions SceneOptionsOf(const RunOptions& options) {
    TSceneOptions scene;
    scene.BubbleCount = options.Bubbles;
    scene.DollarCount = options.Notes;
    scene.ThemeIndex = options.Theme;
    scene.SoundEnabled = options.Sound && options.Job == JobKind::Window;
    scene.FewerPasses = options.FewerPasses;
    return scene;
}

} // namespace

SceneSession::SceneSession(const RunOptions& options, platform::SdlGLWindowOptions window,
                           std::optional<double> fixedStep)
    : FOptions(SceneOptionsOf(options)), FWindow(std::move(window)), FSurfaceSize(FWindow),
      FScene(FOptions, FSurfaceSize), FLoop(FScene) {
    TLoadSettings& settings = LoadSettings();
    settings.LoadFromResources = true;
    if (!options.AssetsDir.empty()) {
        if (!std::filesystem::is_directory(options.AssetsDir))
            throw Error("The assets folder \"" + options.AssetsDir + "\" does not exist");
        UseAssetDirectory(settings, options.AssetsDir);
    }

    FScene.SetSceneDefaults();
    if (options.Seed)
        scene::SeedRandom(*options.Seed);
    else
        scene::RandomizeFromClock();
    FScene.CreateScene();
    FLoop.SetupOpenGL(FWindow);
    if (!options.GLTraceFile.empty()) FTrace = std::make_unique<GLTrace>(options.GLTraceFile);
    if (fixedStep) FLoop.UseFixedStep(*fixedStep);
    FLoop.ResetScene();

    if (FOptions.SoundEnabled) {
        FPlayer = platform::CreateSdlSoundPlayer();
        FMessages = platform::CreateSdlMessageBox(!platform::NonInteractiveByEnvironment());
        FSound = std::make_unique<BubbleSound>(*FPlayer, *FMessages, settings.Source());
        FScene.AttachSound(FSound.get());
        FSound->ApplySound(FOptions.SoundEnabled);
    }
}

SceneSession::~SceneSession() {
    FTrace.reset();
    FScene.DestroyScene();
    FScene.AttachSound(nullptr);
}

} // namespace quillaby::app
