#include "SessionPanelScene.h"

#include <SDL.h>

#include <cstdlib>

#include "gl/GLCalls.h"
#include "gl/TOpenGLEngine.h"

namespace quillaby::app {

namespace {

std::string GLText(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Input that ends a full-screen preview: a key, a mouse button, or the mouse moved on purpose (the
// first few moves are what the window's appearance itself produces).
class CloseOnInput {
  public:
    bool Ends(const SDL_Event& event) {
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_QUIT:
            return true;
        case SDL_MOUSEMOTION:
            return ++FMoves > 5 && std::abs(event.motion.xrel) >= 3 && std::abs(event.motion.yrel) >= 3;
        default:
            return false;
        }
    }

  private:
    int FMoves = 0;
};

} // namespace

SessionPanelScene::SessionPanelScene(ui::DialogOptions& options, RunOptions base,
                                     std::optional<double> fixedStep)
    : FOptions(options), FBase(std::move(base)), FFixedStep(fixedStep) {}

SessionPanelScene::~SessionPanelScene() = default;

RunOptions SessionPanelScene::CurrentRunOptions() const {
    RunOptions run = FBase;
    run.Job = JobKind::Window;
    run.Bubbles = FOptions.BubbleCount;
    run.Notes = FOptions.DollarCount;
    run.Theme = FOptions.ThemeIndex;
    run.Sound = FOptions.SoundEnabled;
    return run;
}

void SessionPanelScene::SyncOptions(SceneSession& session) const {
    TSceneOptions& scene = session.Options();
    scene.BubbleCount = FOptions.BubbleCount;
    scene.DollarCount = FOptions.DollarCount;
    scene.ThemeIndex = FOptions.ThemeIndex;
}

void SessionPanelScene::CollectOpenGLInfo() {
    if (!FOpenGLInfoText.empty()) return;
    FOpenGLInfoText = "Vendor:  " + GLText(GL_VENDOR) + "\r\nVideo:  " + GLText(GL_RENDERER) +
                      "\r\nOpenGL:  " + GLText(GL_VERSION);
}

void SessionPanelScene::StartPanel(const platform::GLWindowOptions& area) {
    FSession.reset();
    FSession = std::make_unique<SceneSession>(CurrentRunOptions(), area, FFixedStep);
    CollectOpenGLInfo();
    FSession->Loop().OnFrameRate(FFrameRate);
}

void SessionPanelScene::RenderPanelFrame() {
    if (!FSession) return;
    SyncOptions(*FSession);
    FSession->Scene().Engine->MakeCurrent();
    FSession->Loop().RenderFrame();
}

void SessionPanelScene::ResumePanel() {
    if (FSession) FSession->Loop().Resume();
}

void SessionPanelScene::ReleasePanel() {
    FSession.reset();
}

void SessionPanelScene::ApplySound() {
    if (!FSession) return;
    FSession->Options().SoundEnabled = FOptions.SoundEnabled;
    FSession->ApplySound();
}

void SessionPanelScene::OnFrameRate(std::function<void(int)> handler) {
    FFrameRate = std::move(handler);
    if (FSession) FSession->Loop().OnFrameRate(FFrameRate);
}

bool SessionPanelScene::RunFullScreen() {
    FSession.reset();
    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(0, &desktop);
    platform::GLWindowOptions window;
    window.Title = "Quillaby";
    window.X = window.Y = 0;
    window.Width = desktop.w > 0 ? desktop.w : 800;
    window.Height = desktop.h > 0 ? desktop.h : 600;
    window.FullScreen = window.Borderless = window.AlwaysOnTop = true;
    {
        SceneSession session(CurrentRunOptions(), window, FFixedStep);
        CollectOpenGLInfo();
        SDL_ShowCursor(SDL_DISABLE);
        CloseOnInput input;
        bool running = true;
        while (running) {
            SDL_Event event;
            while (SDL_PollEvent(&event)) {
                if (!input.Ends(event)) continue;
                running = false;
                if (event.type == SDL_QUIT) SDL_PushEvent(&event); // the dialog ends too
            }
            if (running) session.Loop().RenderFrame();
        }
        SDL_ShowCursor(SDL_ENABLE);
    }
    return true;
}

} // namespace quillaby::app
