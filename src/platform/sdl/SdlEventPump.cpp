#include "platform/sdl/SdlEventPump.h"

#include <SDL.h>

namespace quillaby::platform {
namespace {

void PlaceOnDesktop(InputEvent& event) {
    int left = 0, top = 0;
    if (SDL_Window* window = SDL_GetWindowFromID(event.Window)) SDL_GetWindowPosition(window, &left, &top);
    event.DesktopX = left + event.X;
    event.DesktopY = top + event.Y;
}

InputEvent Translate(const SDL_Event& e) {
    InputEvent event;
    switch (e.type) {
    case SDL_QUIT:
        event.Type = InputEvent::Kind::Quit;
        break;
    case SDL_KEYDOWN:
        event.Type = InputEvent::Kind::Key;
        event.Window = e.key.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
        event.Type = InputEvent::Kind::MouseButton;
        event.Window = e.button.windowID;
        event.X = e.button.x;
        event.Y = e.button.y;
        PlaceOnDesktop(event);
        break;
    case SDL_MOUSEMOTION:
        event.Type = InputEvent::Kind::MouseMove;
        event.Window = e.motion.windowID;
        event.X = e.motion.x;
        event.Y = e.motion.y;
        PlaceOnDesktop(event);
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) event.Type = InputEvent::Kind::Close;
        event.Window = e.window.windowID;
        break;
    default:
        break;
    }
    return event;
}

class SdlEventPump final : public EventPump {
  public:
    bool Poll(InputEvent& event) override {
        SDL_Event e;
        if (!SDL_PollEvent(&e)) return false;
        event = Translate(e);
        return true;
    }
    void Wait() override { SDL_WaitEvent(nullptr); }
};

} // namespace

std::unique_ptr<EventPump> CreateSdlEventPump() {
    return std::make_unique<SdlEventPump>();
}

} // namespace quillaby::platform
