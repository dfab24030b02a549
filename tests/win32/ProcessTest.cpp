// The single-instance semaphore and the process launcher against the real system calls.
#include "platform/win32/WinApi.h"
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/Application.h"
#include "app/ExecutePro.h"
#include "platform/InstanceLock.h"
#include "platform/Processes.h"
#include "win32/ChildProcess.h"

using namespace quillaby;
using test::StartChild;

namespace {

std::string LockName() {
    return "QuillabyTest" + std::to_string(GetCurrentProcessId()) + "Semaphore";
}

// The roles a child can play; each ends the child with its answer.
TEST(Child, Run) {
    const std::string role = test::ChildRole();
    if (role.empty()) GTEST_SKIP() << "only run as a child";
    if (role.rfind("lock:", 0) == 0) // 3: another copy holds the lock, 4: it was free
        std::_Exit(platform::LockInstance(role.substr(5)) == nullptr ? 3 : 4);
    if (role == "sleep") {
        Sleep(3000);
        std::_Exit(0);
    }
    if (role == "exit7") std::_Exit(7);
    std::_Exit(99);
}

TEST(InstanceLock, HeldByOneProcessSeenByAnother) {
    const std::string name = LockName();
    {
        const auto held = platform::LockInstance(name);
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(platform::LockInstance(name), nullptr) << "a second take in this process";
        EXPECT_EQ(platform::WaitForProcess(StartChild("lock:" + name)), 3) << "another process sees it";
    }
    EXPECT_EQ(platform::WaitForProcess(StartChild("lock:" + name)), 4) << "closed with its last handle";
}

TEST(Launcher, StartsAtItsPriorityAndWaitsForTheExitCode) {
    const int pid = StartChild("sleep", 19);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(platform::NiceValueOf(pid), 19) << "IDLE_PRIORITY_CLASS";
    EXPECT_EQ(platform::WaitForProcess(pid), 0);

    SetEnvironmentVariableA("QUILLABY_CHILD_ROLE", "exit7");
    app::TExecutePro launcher;
    launcher.WindowStyle = app::ewHide;
    launcher.ExecuteProgram(test::OwnProgram(), {"--gtest_filter=Child.Run"});
    SetEnvironmentVariableA("QUILLABY_CHILD_ROLE", nullptr);
    EXPECT_EQ(launcher.LastExitCode(), 7);

    launcher.ExecuteProgram("C:\\nowhere\\missing.exe", {"/s"});
    EXPECT_EQ(launcher.LastExitCode(), -1) << "a failed start is silent";
}

// The wait keeps our window messages flowing, and a quit request ends it early.
TEST(Launcher, WaitDispatchesMessagesAndStopsOnQuit) {
    static int delivered = 0;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message == WM_APP) ++delivered;
        return DefWindowProcA(window, message, w, l);
    };
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuillabyWaitTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "QuillabyWaitTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_APP, 0, 0);
    EXPECT_EQ(platform::WaitForProcess(StartChild("sleep")), 0);
    EXPECT_EQ(delivered, 1);

    const int pid = StartChild("sleep");
    PostQuitMessage(5);
    EXPECT_EQ(platform::WaitForProcess(pid), -1) << "the quit request ends the wait";
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "and stays for the loop";
    EXPECT_EQ(platform::WaitForProcess(pid), 0);
    DestroyWindow(window);
}

} // namespace
