#pragma once
// The session's one idle watcher, as any process of the user's sees it: the lock the running one
// holds, stopping it, and starting one that outlives the command that started it.
#include <memory>
#include <string>

#include "platform/InstanceLock.h"

namespace quillaby::platform {

// Takes the session's idle-watch lock for this process and records our process id in it; null when
// another watcher holds it.
std::unique_ptr<InstanceLock> LockIdleWatch();

// Asks the session's running watcher to end (SIGTERM) and waits up to 5 seconds for its lock to be
// free; false when none was running.
bool StopIdleWatch();

// Starts `program` --idle-watch in a session of its own (no terminal's hang-up reaches it, standard
// input from /dev/null); false when it cannot be started, with the system's reason in `whyNot`.
bool StartIdleWatch(const std::string& program, std::string& whyNot);

} // namespace quillaby::platform
