#include "app/Application.h"

#include "platform/EventPump.h"
#include "platform/MessageBox.h"

namespace quillaby::app {

void TApplication::Run(platform::EventPump& pump) {
    while (!FTerminated) {
        // An exception in the handler leaves Run from inside the catch: nothing can report it.
        try {
            platform::InputEvent event;
            while (!FTerminated && pump.Poll(event))
                if (OnEvent) OnEvent(event);
            if (FTerminated) break;
            bool done = false;
            if (OnIdle) OnIdle(done);
            if (done && !FTerminated) pump.Wait();
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
}

void TApplication::HandleException(const std::exception& e) {
    if (OnException) {
        OnException(e);
        return;
    }
    FMessages.Show(e.what(), Title, platform::MessageIcon::Error);
    FExitCode = 1;
    Terminate();
}

} // namespace quillaby::app
