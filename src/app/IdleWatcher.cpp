#include "app/IdleWatcher.h"

namespace quillaby::app {

using platform::IdleEvent;

int IdleWatcher::Run() {
    for (;;) {
        switch (FDesktop.Next()) {
        case IdleEvent::Idle:
            // The desktop's shield already hides the screen: a saver under it would never be seen.
            if (!FShield && !FDesktop.SaverRunning()) StartSaver();
            break;
        case IdleEvent::Active:
            break; // the saver ends itself on input
        case IdleEvent::ShieldUp:
            FShield = true;
            if (FDesktop.SaverRunning()) {
                FSay("the desktop blanked the screen: the saver ends");
                FDesktop.StopSaver();
            }
            break;
        case IdleEvent::ShieldDown:
            FShield = false;
            break;
        case IdleEvent::SaverEnded:
            if (FDesktop.SaverExitCode() != 0)
                FSay("the saver ended with code " + std::to_string(FDesktop.SaverExitCode()));
            break;
        case IdleEvent::Stop:
            FDesktop.StopSaver();
            FSay("stopped");
            return 0;
        case IdleEvent::SessionGone:
            FDesktop.StopSaver();
            FSay("the session has ended");
            return 0;
        }
    }
}

void IdleWatcher::StartSaver() {
    std::string whyNot;
    if (!FDesktop.StartSaver(FSaver.front(), FSaver, whyNot))
        FSay("cannot start the saver \"" + FSaver.front() + "\": " + whyNot +
             "; trying again at the next idle spell");
}

} // namespace quillaby::app
