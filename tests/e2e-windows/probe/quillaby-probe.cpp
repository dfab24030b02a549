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
//                                     the screen position and size of its client area
//   quillaby-probe running            the system's screen-saver-running flag, 0 or 1
//   quillaby-probe owner SCR          plays the control panel's "Settings": a window of its own, the
//                                     saver started as "SCR /c:<that window>"; prints whether the
//                                     dialog is owned by that window and keeps it disabled, then closes
//                                     the dialog and prints whether the window is enabled again and
//                                     the saver's exit code
//   quillaby-probe syscommand TITLE CODE  sends WM_SYSCOMMAND CODE (hex, e.g. f170 for SC_MONITORPOWER)
//                                     to every visible window with this title, as the system does;
//                                     prints "sent N"; exit 1 when there is none
//   quillaby-probe monitors           the number of monitors the system lists
//   quillaby-probe dpichanged TITLE DPI LEFT TOP
//                                     plays the system moving the first visible window with this title
//                                     onto a monitor of DPI: WM_DPICHANGED with the frame suggested
//                                     there (the client area scaled by DPI/96, at LEFT TOP); prints
//                                     "suggested L T W H", then what "window" prints
//   quillaby-probe settings SECONDS   a top-level window that hears the session's setting changes for
//                                     SECONDS: "ready" once it listens, then "settingchange N" for each
//                                     WM_SETTINGCHANGE (N: the SPI_SET... action)
//   quillaby-probe resources FILE     what the system's calls read of FILE's resources: "string1 TEXT"
//                                     (LoadString, as the screen-saver list names a saver), "icons N"
//                                     (ExtractIconEx), "description TEXT" and "version A.B.C.D" (the
//                                     version information of the Details tab)
//   quillaby-probe hold FILE SECONDS  keeps FILE open for SECONDS, shared for reading only (as a
//                                     running program's file is held): "held" once it is open
//   quillaby-probe default-mode W H   makes W x H (32 bits) the display's default mode without switching
//                                     to it, as Wine can leave it while the desktop's mode is another;
//                                     exit 1 when the system refuses
#include <windows.h>
// after windows.h
#include <shellapi.h>

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

// A top-level window whose client area is width x height, as the system's settings pages make.
HWND MakeHost(int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = CreateWindowA(kHostClass, "Quillaby preview host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40,
                              40, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    return host;
}

// Starts `command`; null (and a line saying why) when it cannot.
HANDLE Start(std::string command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("start-failed %lu\n", GetLastError());
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

int Preview(const char* scr, int width, int height) {
    // The client area gets the requested size, as the system's preview monitor does.
    HWND host = MakeHost(width, height);
    std::printf("host %llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));

    std::string command = std::string("\"") + scr + "\" /p " +
                          std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    PROCESS_INFORMATION process = {};
    process.hProcess = Start(command);
    if (process.hProcess == nullptr) return 1;

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

int Owner(const char* scr) {
    HWND host = MakeHost(320, 240);
    const unsigned long long handle = reinterpret_cast<UINT_PTR>(host);
    HANDLE process = Start(std::string("\"") + scr + "\" /c:" + std::to_string(handle));
    if (process == nullptr) return 1;
    FoundWindows found{"Quillaby Screen Saver FPS: *", {}}; // the panel runs
    const bool appeared = WaitPumping(60000, [&] {
        found.Windows.clear();
        EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&found));
        return !found.Windows.empty();
    });
    bool ok = appeared;
    if (appeared) {
        HWND dialog = found.Windows.front();
        const bool owned = GetWindow(dialog, GW_OWNER) == host;
        std::printf("owner %s\n", owned ? "host" : "other");
        std::printf("host-enabled %d\n", IsWindowEnabled(host) ? 1 : 0);
        ok = owned && !IsWindowEnabled(host);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    } else {
        std::printf("no-dialog\n");
        TerminateProcess(process, 1);
    }
    const bool ended = WaitPumping(30000, [&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    std::printf("after host-enabled %d exit %lu\n", IsWindowEnabled(host) ? 1 : 0, code);
    if (!ended) TerminateProcess(process, 1);
    ok = ok && ended && code == 0 && IsWindowEnabled(host);
    CloseHandle(process);
    DestroyWindow(host);
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
    RECT client = {};
    GetClientRect(w, &client);
    std::printf("size %ld %ld\n", client.right, client.bottom);
    std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int SysCommand(const char* title, const char* code) {
    FoundWindows found{title, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&found));
    if (found.Windows.empty()) return 1;
    // SC_MONITORPOWER's 2 asks for the display off; SC_SCREENSAVE ignores it.
    for (HWND window : found.Windows) SendMessageA(window, WM_SYSCOMMAND, std::strtoul(code, nullptr, 16), 2);
    std::printf("sent %zu\n", found.Windows.size());
    return 0;
}

int DpiChanged(const char* title, int dpi, int left, int top) {
    FoundWindows found{title, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&found));
    if (found.Windows.empty()) return 1;
    HWND w = found.Windows.front();
    RECT frame = {}, client = {};
    GetWindowRect(w, &frame);
    GetClientRect(w, &client);
    // The borders stay as they are (Wine draws them the same at every DPI); the client area scales.
    const int width = frame.right - frame.left - client.right + MulDiv(client.right, dpi, 96);
    const int height = frame.bottom - frame.top - client.bottom + MulDiv(client.bottom, dpi, 96);
    const RECT suggested = {left, top, left + width, top + height};
    std::printf("suggested %d %d %d %d\n", left, top, width, height);
    // The rectangle lies in the window's own process, as the system puts it there: Wine carries no
    // pointer of this message across processes.
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    void* remote =
        process ? VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                : nullptr;
    if (remote == nullptr || !WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
        std::printf("no-rect %lu\n", GetLastError());
        return 1;
    }
    SendMessageA(w, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return Window(title);
}

int Monitors() {
    std::printf("%d\n", GetSystemMetrics(SM_CMONITORS));
    return 0;
}

LRESULT CALLBACK SettingsListener(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE)
        std::printf("settingchange %llu\n", static_cast<unsigned long long>(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

int Settings(int seconds) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SettingsListener;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuillabyProbeSettings";
    RegisterClassA(&wc);
    // Hidden, but top-level: broadcasts reach it.
    HWND window = CreateWindowA(wc.lpszClassName, "Quillaby probe settings", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    std::printf("ready\n");
    WaitPumping(static_cast<DWORD>(seconds) * 1000, [] { return false; });
    DestroyWindow(window);
    return 0;
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

int Resources(const char* file) {
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file, -1, path, MAX_PATH);
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return 1;
    wchar_t text[256] = L"";
    LoadStringW(module, 1, text, 256);
    std::printf("string1 %s\n", Utf8(text).c_str());
    FreeLibrary(module);
    std::printf("icons %u\n", ExtractIconExW(path, -1, nullptr, nullptr, 0));

    DWORD ignored = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path, &ignored));
    if (info.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data())) return 0;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(info.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        std::printf("version %d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    }
    // The strings of the first language the file lists, as Explorer reads them.
    if (VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* language = static_cast<const WORD*>(value);
        wchar_t key[64];
        swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription", language[0], language[1]);
        if (VerQueryValueW(info.data(), key, &value, &length))
            std::printf("description %s\n", Utf8(static_cast<const wchar_t*>(value)).c_str());
    }
    return 0;
}

int Hold(const char* file, int seconds) {
    HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseHandle(handle);
    return 0;
}

int DefaultMode(int width, int height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = 32;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY | CDS_NORESET) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
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
    if (argc == 3 && std::strcmp(argv[1], "owner") == 0) return Owner(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "syscommand") == 0) return SysCommand(argv[2], argv[3]);
    if (argc == 2 && std::strcmp(argv[1], "monitors") == 0) return Monitors();
    if (argc == 6 && std::strcmp(argv[1], "dpichanged") == 0)
        return DpiChanged(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (argc == 3 && std::strcmp(argv[1], "settings") == 0) return Settings(std::atoi(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "resources") == 0) return Resources(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2], std::atoi(argv[3]));
    if (argc == 4 && std::strcmp(argv[1], "default-mode") == 0)
        return DefaultMode(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(
        stderr,
        "usage: quillaby-probe preview SCR [W H] | window TITLE | running | owner SCR | syscommand TITLE "
        "CODE | monitors | dpichanged TITLE DPI LEFT TOP | settings SECONDS | resources FILE | hold FILE "
        "SECONDS | default-mode W H\n");
    return 2;
}
