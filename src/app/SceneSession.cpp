#include "app/SceneSession.h"

#include <filesystem>

#include "assets/LoadSettings.h"
#include "base/Utf8Path.h"
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

SceneSession::SceneSession(const RunOptions& options, platform::GLWindowOptions window,
                           std::optional<double> fixedStep, platform::Services& services)
    : FServices(services), FOptions(SceneOptionsOf(options)), FSurfaceSize(FWindow),
      FScene(FOptions, FSurfaceSize),
      FSceneBuilt(std::async(std::launch::async, [this, &options] { BuildScene(options); })),
      FWindow(services.CreateGLWindow(std::move(window))), FLoop(FScene) {
    try {
        FSceneBuilt.get(); // raises what building the scene raised
        FLoop.SetupOpenGL(*FWindow);
        if (!options.GLTraceFile.empty()) FTrace = std::make_unique<GLTrace>(options.GLTraceFile);
        if (fixedStep) FLoop.UseFixedStep(*fixedStep);
        FLoop.SetRenderScale(options.RenderScale);
        FLoop.ResetScene();

        if (FOptions.SoundEnabled) ApplySound();
    } catch (...) {
        // The destructor does not run for a half-built session: the scene's engine must let go of
        // the window before the window is destroyed.
        ReleaseScene();
        throw;
    }
}

void SceneSession::ApplySound() {
    if (!FSound) {
        if (!FOptions.SoundEnabled) return;
        FPlayer = FServices.CreateSoundPlayer();
        FMessages = FServices.CreateMessageBox(true);
        FSound = std::make_unique<BubbleSound>(*FPlayer, *FMessages, LoadSettings().Source());
        FScene.AttachSound(FSound.get());
    }
    FSound->ApplySound(FOptions.SoundEnabled);
}

void UseProgramResources(const std::string& assetsDir) {
    TLoadSettings& settings = LoadSettings();
    settings.LoadFromResources = true;
    if (assetsDir.empty()) return;
    if (!std::filesystem::is_directory(Utf8Path(assetsDir)))
        throw Error("The assets folder \"" + assetsDir + "\" does not exist");
    UseAssetDirectory(settings, assetsDir);
}

void SceneSession::BuildScene(const RunOptions& options) {
    UseProgramResources(options.AssetsDir);

    FScene.SetSceneDefaults();
    if (options.Seed)
        scene::SeedRandom(*options.Seed);
    else
        scene::RandomizeFromClock();
    FScene.CreateScene();
}

SceneSession::~SceneSession() {
    ReleaseScene();
}

void SceneSession::ReleaseScene() {
    FTrace.reset();
    FScene.DestroyScene();
    FScene.AttachSound(nullptr);
}

} // namespace quillaby::app
