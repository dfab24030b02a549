#pragma once
// A window that another program owns (a screen-saver daemon's, or the root window) while SDL draws
// into it: its size changes reach SDL as ordinary window events, and its destruction, or an X error
// about it, marks it gone instead of ending the process.
#include <SDL.h>

namespace quillaby::platform {

class ForeignWindowWatch {
  public:
    // Watches the X window behind `window` (made with GLWindowOptions::ForeignWindow). One watch
    // at a time: it owns the process's X error handler while it lives.
    explicit ForeignWindowWatch(SDL_Window* window);
    ~ForeignWindowWatch();
    ForeignWindowWatch(const ForeignWindowWatch&) = delete;
    ForeignWindowWatch& operator=(const ForeignWindowWatch&) = delete;

    // Looks at each event SDL delivers (its system events carry the X events).
    void Handle(const SDL_Event& event);
    // The window has been destroyed.
    bool Gone() const;

  private:
    unsigned long FWindow = 0;
};

// The root window of $DISPLAY's default screen; raises quillaby::Error when there is no display.
unsigned long RootWindowOfDisplay();

// True when the X window exists on $DISPLAY.
bool WindowExists(unsigned long window);

} // namespace quillaby::platform
