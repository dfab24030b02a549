// A small Windows program the Wine end-to-end tests use to see what the saver does from the
// system's side, through the same calls the system makes:
//   quillaby-probe preview SCR [W H]  plays the system's preview host: a window of its own, the saver
//                                     started as "SCR /p <that window>", its child window looked at
//                                     (parent, style, size, following the host's size), then the host
//                                     destroyed and the saver's exit code read. Prints one "key value" line
//                                     per finding; exit 0 when the preview kept the protocol. (Wine keeps
//                                     another process's child window off its parent's pixels: the picture
//                                     itself is checked in-process, tests/win32.)
//   quillaby-probe window TITLE       the visible top-level windows with this title ("Text*": starting
//                                     with Text): their
//                                     count and, for the first, top-most, caption, frame, rectangle and
//                                     the screen position of its client area
//   quillaby-probe running            the system's screen-saver-running flag, 0 or 1
//   quillaby-probe syscommand TITLE CODE  sends WM_SYSCOMMAND CODE (hex, e.g. f170 for SC_MONITORPOWER)
//                                     to the first visible window with this title, as the system does;
//                                     exit 1 when there is none
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kHostClass[] = "QuillabyProbeHost";

struct FoundWindows {
    const char* Title;
    std::vector<HWND> Windows;
};

BOOL CALLBACK CollectTitled(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<FoundWindows*>(data);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    // A title ending in "*" matches every title that starts with the rest.
    const size_t n = std::strlen(found->Title);
    const bool match = n > 0 && found->Title[n - 1] == '*' ? std::strncmp(title, found->Title, n - 1) == 0
                                                           : std::strcmp(title, found->Title) == 0;
    if (IsWindowVisible(window) && match) found->Windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Waits up to `ms` for `done`, keeping the host's messages flowing (the child's creation sends
// messages to its parent).
template <class Done> bool WaitPumping(DWORD ms, Done done) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpMessages();
        if (done()) return true;
        Sleep(20);
    }
    return done();
}

int Preview(const char* scr, int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    // The client area gets the requested size, as the system's preview monitor does.
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = CreateWindowA(kHostClass, "Quillaby preview host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40,
                              40, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    std::printf("host %llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));

    std::string command = std::string("\"") + scr + "\" /p " +
                          std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("start-failed %lu\n", GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);

    bool ok = true;
    std::vector<HWND> children;
    const bool appeared = WaitPumping(30000, [&] {
        children.clear();
        EnumChildWindows(host, CollectChild, reinterpret_cast<LPARAM>(&children));
        return !children.empty() && IsWindowVisible(children.front());
    });
    std::printf("children %zu\n", children.size());
    if (!appeared || children.size() != 1) ok = false;
    if (!children.empty()) {
        HWND child = children.front();
        RECT client = {}, hostClient = {};
        GetClientRect(child, &client);
        GetClientRect(host, &hostClient);
        const bool isChild = GetParent(child) == host && (GetWindowLongA(child, GWL_STYLE) & WS_CHILD) != 0;
        std::printf("parent %s\n", isChild ? "host" : "other");
        std::printf("size %ldx%ld host %ldx%ld\n", client.right, client.bottom, hostClient.right,
                    hostClient.bottom);
        if (!isChild || client.right != hostClient.right || client.bottom != hostClient.bottom) ok = false;

        // The settings page may change its preview's size: the child follows.
        RECT frame = {0, 0, width + 48, height + 36};
        AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
        SetWindowPos(host, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        const bool followed = WaitPumping(10000, [&] {
            GetClientRect(child, &client);
            return client.right == width + 48 && client.bottom == height + 36;
        });
        std::printf("resized %ldx%ld\n", client.right, client.bottom);
        if (!followed) ok = false;
    }
    std::fflush(stdout);

    // The system destroys its preview window when the user leaves the page: the saver must end.
    DestroyWindow(host);
    DWORD code = STILL_ACTIVE;
    const bool ended =
        WaitPumping(30000, [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("ended %d exit %lu\n", ended ? 1 : 0, code);
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
        ok = false;
    }
    CloseHandle(process.hProcess);
    if (code != 0) ok = false;
    std::printf("result %s\n", ok ? "ok" : "fail");
    return ok ? 0 : 1;
}

int Window(const char* title) {
    FoundWindows found{title, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&found));
    std::printf("count %zu\n", found.Windows.size());
    if (found.Windows.empty()) return 0;
    HWND w = found.Windows.front();
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(w, GWL_EXSTYLE);
    RECT r = {};
    GetWindowRect(w, &r);
    std::printf("topmost %d\n", (exStyle & WS_EX_TOPMOST) ? 1 : 0);
    std::printf("caption %d\n", (style & WS_CAPTION) == WS_CAPTION ? 1 : 0);
    std::printf("frame %d\n", (style & (WS_THICKFRAME | WS_BORDER)) ? 1 : 0);
    std::printf("rect %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    std::printf("client %ld %ld\n", origin.x, origin.y);
    std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int SysCommand(const char* title, const char* code) {
    FoundWindows found{title, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&found));
    if (found.Windows.empty()) return 1;
    // SC_MONITORPOWER's 2 asks for the display off; SC_SCREENSAVE ignores it.
    SendMessageA(found.Windows.front(), WM_SYSCOMMAND, std::strtoul(code, nullptr, 16), 2);
    return 0;
}

int Running() {
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return 1;
    std::printf("%d\n", running ? 1 : 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc >= 3 && std::strcmp(argv[1], "preview") == 0)
        return Preview(argv[2], argc >= 5 ? std::atoi(argv[3]) : 152, argc >= 5 ? std::atoi(argv[4]) : 112);
    if (argc == 3 && std::strcmp(argv[1], "window") == 0) return Window(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "running") == 0) return Running();
    if (argc == 4 && std::strcmp(argv[1], "syscommand") == 0) return SysCommand(argv[2], argv[3]);
    std::fprintf(
        stderr, "usage: quillaby-probe preview SCR [W H] | window TITLE | running | syscommand TITLE CODE\n");
    return 2;
}
