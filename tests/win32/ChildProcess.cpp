#include "win32/ChildProcess.h"

#include <windows.h>

#include <cstdlib>

#include "platform/Processes.h"

namespace quillaby::test {

std::string OwnProgram() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

int StartChild(const std::string& role, int niceValue) {
    // The child copies our environment when it starts; ours goes back at once.
    SetEnvironmentVariableA("QUILLABY_CHILD_ROLE", role.c_str());
    const int pid =
        platform::StartProcess(OwnProgram(), {OwnProgram(), "--gtest_filter=Child.Run"}, "", niceValue);
    SetEnvironmentVariableA("QUILLABY_CHILD_ROLE", nullptr);
    return pid;
}

std::string ChildRole() {
    char role[64];
    const DWORD length = GetEnvironmentVariableA("QUILLABY_CHILD_ROLE", role, sizeof role);
    return length > 0 && length < sizeof role ? std::string(role, length) : "";
}

} // namespace quillaby::test
