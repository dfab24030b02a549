// The single-instance lock on Windows: a named semaphore (initial count 0, maximum 1) whose handle is
// kept for the life of the process. Its existence alone is tested; it is never waited on.
#include "platform/InstanceLock.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {
namespace {

class SemaphoreLock final : public InstanceLock {
  public:
    explicit SemaphoreLock(HANDLE semaphore) : FSemaphore(semaphore) {}
    ~SemaphoreLock() override { CloseHandle(FSemaphore); }

  private:
    HANDLE FSemaphore;
};

} // namespace

std::unique_ptr<InstanceLock> LockInstance(const std::string& name) {
    HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 1, Widen(name).c_str());
    const DWORD error = GetLastError();
    if (semaphore == nullptr) {
        // Another user's object of that name (access denied) still means another copy runs.
        if (error == ERROR_ACCESS_DENIED) return nullptr;
        return std::make_unique<InstanceLock>();
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(semaphore);
        return nullptr;
    }
    return std::make_unique<SemaphoreLock>(semaphore);
}

} // namespace quillaby::platform
