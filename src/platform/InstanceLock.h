#pragma once
// The single-instance lock, held for the life of the process. The system drops it when the process
// ends, however it ends, so a crashed copy never blocks the next one. On Linux it is a locked file.
#include <memory>
#include <string>

namespace quillaby::platform {

class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
};

// Takes the lock called `name` (the system's named object for it); null when another process holds
// it.
std::unique_ptr<InstanceLock> LockInstance(const std::string& name);

// Where the lock called `name` lives: $XDG_RUNTIME_DIR/name, else the temp folder with the user id
// in the file name (name-<uid>).
std::string InstanceLockPath(const std::string& name);

// Takes the lock at `path`, creating the file (mode 0600) when needed; the file is never deleted.
// Null when another process holds it. Raises quillaby::Error when the file cannot be used safely:
// a symbolic link, not a regular file, or owned by another user.
std::unique_ptr<InstanceLock> TryLockInstance(const std::string& path);

} // namespace quillaby::platform
