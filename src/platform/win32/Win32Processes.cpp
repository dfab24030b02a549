// Processes on Windows: CreateProcess with a priority class and the first window's show state, a
// wait that keeps our window messages flowing, and documents opened through the shell. Paths and
// arguments are UTF-8 here and go to the system's wide calls.
// <windows.h> comes before the headers that build on it.
#include "platform/win32/WinApi.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/Processes.h"
#include "platform/win32/WideText.h"

namespace quillaby::platform {
namespace {

// The handles of started processes until they are waited for: a process id alone could be reused.
std::map<int, HANDLE>& StartedProcesses() {
    static std::map<int, HANDLE> processes;
    return processes;
}

DWORD PriorityClassOf(int niceValue) {
    if (niceValue >= 19) return IDLE_PRIORITY_CLASS;
    if (niceValue > 0) return BELOW_NORMAL_PRIORITY_CLASS;
    if (niceValue <= -20) return REALTIME_PRIORITY_CLASS;
    if (niceValue < 0) return HIGH_PRIORITY_CLASS;
    return NORMAL_PRIORITY_CLASS;
}

WORD ShowCommandOf(ShowWindow show) {
    switch (show) {
    case ShowWindow::Hide:
        return SW_HIDE;
    case ShowWindow::Maximize:
        return SW_MAXIMIZE;
    case ShowWindow::Minimize:
        return SW_MINIMIZE;
    case ShowWindow::Show:
        break;
    }
    return SW_SHOW;
}

// One argument quoted the way the C runtime splits a command line again.
std::string Quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string text = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        text.push_back(c);
    }
    text.append(2 * backslashes, '\\'); // before the closing quote
    text.push_back('"');
    return text;
}

// Handles what is waiting in our queue; false once a quit request came (it is posted again for the
// message loop that follows).
bool PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

} // namespace

int StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& directory, int niceValue, ShowWindow show) {
    std::string commandLine;
    for (const std::string& argument : arguments)
        commandLine += (commandLine.empty() ? "" : " ") + Quoted(argument);
    std::wstring wideCommandLine = Widen(commandLine);
    const std::wstring wideProgram = Widen(program);
    const std::wstring wideDirectory = Widen(directory);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowCommandOf(show);
    PROCESS_INFORMATION process{};
    const DWORD priority = PriorityClassOf(niceValue);
    if (!CreateProcessW(wideProgram.c_str(), wideCommandLine.data(), nullptr, nullptr, FALSE,
                        priority | CREATE_SUSPENDED, nullptr,
                        directory.empty() ? nullptr : wideDirectory.c_str(), &startup, &process))
        return -1;
    // Wine ignores the class given at creation: set it again before the child runs at all.
    if (GetPriorityClass(process.hProcess) != priority) SetPriorityClass(process.hProcess, priority);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    const int pid = static_cast<int>(process.dwProcessId);
    StartedProcesses()[pid] = process.hProcess;
    return pid;
}

int WaitForProcess(int pid) {
    auto& started = StartedProcesses();
    const auto found = started.find(pid);
    HANDLE process = found != started.end() ? found->second
                                            : OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION,
                                                          FALSE, static_cast<DWORD>(pid));
    if (found != started.end()) started.erase(found);
    if (process == nullptr) return -1;
    // Wakes for the child's end or for a message, never spins.
    DWORD code = STILL_ACTIVE;
    while (GetExitCodeProcess(process, &code) && code == STILL_ACTIVE) {
        if (!PumpMessages()) {
            code = static_cast<DWORD>(-1);
            break;
        }
        MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    }
    CloseHandle(process);
    return static_cast<int>(code);
}

int NiceValueOf(int pid) {
    HANDLE process = pid == 0
                         ? GetCurrentProcess()
                         : OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return 0;
    const DWORD priority = GetPriorityClass(process);
    if (pid != 0) CloseHandle(process);
    switch (priority) {
    case IDLE_PRIORITY_CLASS:
        return 19;
    case BELOW_NORMAL_PRIORITY_CLASS:
        return 10;
    case ABOVE_NORMAL_PRIORITY_CLASS:
    case HIGH_PRIORITY_CLASS:
        return -5;
    case REALTIME_PRIORITY_CLASS:
        return -20;
    default:
        return 0;
    }
}

bool OpenDocument(const std::string& document, std::string* whyNot) {
    // A local file goes to the shell by its path: its own association opens it.
    const std::string target = document.rfind("file://", 0) == 0 ? document.substr(7) : document;
    const auto result = reinterpret_cast<intptr_t>(
        ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
    // Values up to 32 are the shell's error codes.
    if (whyNot) *whyNot = "the shell answered error " + std::to_string(result);
    return false;
}

bool IsExecutableFile(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return lower.find(".exe") != std::string::npos;
}

void SetNormalPriority() {
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

} // namespace quillaby::platform
