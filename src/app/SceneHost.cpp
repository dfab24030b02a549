#include "app/SceneHost.h"

#include "app/OpenGLInfo.h"
#include "assets/LoadSettings.h"
#include "gl/TGLTexture.h"
#include "gl/TOpenGLEngine.h"
#include "platform/OtherMonitors.h"
#include "platform/Services.h"
#include "platform/SoundPlayer.h"
#include "scene/BubbleSound.h"

namespace quillaby::app {

TSceneHost::TSceneHost(platform::Services& services, TSceneOptions& options, platform::MessageBox& messages,
                       std::unique_ptr<platform::SoundPlayer> player)
    : FServices(services), FOptions(options), FMessages(messages), FPlayer(std::move(player)), FSize(FWindow),
      FScene(FOptions, FSize), FLoop(FScene) {}

TSceneHost::~TSceneHost() {
    DestroyScene();
}

void TSceneHost::CreateRenderWindow(platform::GLWindowOptions options) {
    FWindow = FServices.CreateGLWindow(std::move(options));
}

void TSceneHost::SetupOpenGL() {
    FLoop.SetupOpenGL(*FWindow);
    if (!FOpenGLInfoLogged) {
        FOpenGLInfoLogged = true;
        const OpenGLInfo info = CollectOpenGLInfo();
        FOpenGLInfoText = info.Text;
        if (WriteLog)
            for (const std::string& line : info.Log) WriteLog(line);
    }
}

void TSceneHost::ReleaseOpenGL() {
    if (!FScene.Engine) return;
    // Texture names belong to the scene's own context: deleted while another one is current (the
    // dialog's) they would take that context's font and logo with them.
    FScene.Engine->MakeCurrent();
    FLoop.ReleaseOpenGL();
    for (TGLTexture* texture : {FScene.NoteTexture, FScene.ReflectionTexture, FScene.BubbleTexture})
        if (texture) texture->DeleteHandle();
    for (TSceneTheme& theme : FScene.Themes)
        for (TGLTexture* texture : {theme.CausticsTexture, theme.BottomTexture, theme.SurfaceTexture})
            if (texture) texture->DeleteHandle();
    FScene.Engine->Deactivate();
    FScene.Engine->Done();
    if (FScene.Engine->DC()) FScene.Engine->SetDC(nullptr);
}

void TSceneHost::CoverOtherMonitors(bool drawScene) {
    using Fill = platform::OtherMonitors::Fill;
    FOthers =
        FServices.CreateOtherMonitors(drawScene ? Fill::Scene : Fill::Black, FWindow ? FWindow->Title() : "");
    FLoop.SetMoreSurfaces({});
    if (FOthers->Follow()) FLoop.SetMoreSurfaces(FOthers->SceneSurfaces());
}

bool TSceneHost::OwnsWindow(uint32_t windowId) const {
    if (FWindow && FWindow->Id() != 0 && FWindow->Id() == windowId) return true;
    return FOthers && FOthers->Owns(windowId);
}

void TSceneHost::HideRenderWindows() {
    if (FWindow) FWindow->Hide();
    if (FOthers) FOthers->Hide();
}

void TSceneHost::ReleaseRenderWindow() {
    FLoop.SetMoreSurfaces({});
    FOthers.reset();
    FWindow.reset();
}

void TSceneHost::SetPowerSavers(int maxFps, int renderScale) {
    FPacer = FramePacer(maxFps);
    FLoop.SetRenderScale(renderScale);
}

void TSceneHost::RenderFrame() {
    if (!FWindow) return;
    if (FOthers && FOthers->Follow()) FLoop.SetMoreSurfaces(FOthers->SceneSurfaces());
    FLoop.RenderFrame();
    FPacer.Pace();
}

void TSceneHost::DestroyScene() {
    ReleaseOpenGL();
    FScene.DestroyScene();
    ReleaseRenderWindow();
}

void TSceneHost::ApplySound() {
    if (!FSound) {
        FSound = std::make_unique<BubbleSound>(*FPlayer, FMessages, LoadSettings().Source());
        FScene.AttachSound(FSound.get());
    }
    FSound->ApplySound(FOptions.SoundEnabled);
}

void TSceneHost::StopSound() {
    if (FSound) FSound->StopSound();
}

} // namespace quillaby::app
