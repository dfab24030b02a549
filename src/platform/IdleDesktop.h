#pragma once
// The desktop as the idle watcher sees it: news of the user's idleness from the first source that
// answers, the saver the watcher starts, and a stop request, all waited on in one place.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/IdleSource.h"

namespace quillaby::platform {

class IdleDesktop {
  public:
    virtual ~IdleDesktop() = default;
    // Which source answered, for the user: "GNOME's idle monitor", "the compositor's ext-idle-notify".
    virtual std::string SourceName() const = 0;
    // Waits without spinning for the next event: the source's, SaverEnded, or Stop.
    virtual IdleEvent Next() = 0;
    // Starts `program` with `arguments` (argument 0 included); false with the system's reason when it
    // cannot be started. Only one saver runs at a time.
    virtual bool StartSaver(const std::string& program, const std::vector<std::string>& arguments,
                            std::string& whyNot) = 0;
    virtual bool SaverRunning() const = 0;
    // The last saver's exit code once SaverEnded came (128 + signal when a signal ended it).
    virtual int SaverExitCode() const = 0;
    // Asks a running saver to end (SIGTERM) and waits for it; nothing when none runs.
    virtual void StopSaver() = 0;
    // GNOME's blank delay (org.gnome.desktop.session idle-delay) in seconds, where GNOME's settings
    // can be read; 0 means never.
    virtual std::optional<int> DesktopBlankSeconds() = 0;
};

// The desktop of this session, its source waiting for `idleMilliseconds` of no input. Null when no
// source answers; `lookedFor` then names what was looked for.
std::unique_ptr<IdleDesktop> OpenIdleDesktop(int idleMilliseconds, std::string& lookedFor);

// Where the system starts screen savers itself (Windows), the sentence that tells the user where to
// choose one; empty where an idle watcher of ours has to do it.
std::string SystemStartsSavers();

} // namespace quillaby::platform
