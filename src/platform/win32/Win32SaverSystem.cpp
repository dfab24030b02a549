// What Windows offers a screen saver: the screen-saver-running flag, the foreground window and the
// system's password libraries, loaded by full path from the system folder.
#include <memory>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Layer.h"
#include "platform/win32/Win32RegistryKey.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {
namespace {

using VerifyScreenSavePwd = BOOL(WINAPI*)(HWND);
using PwdChangePasswordA = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);

// A system library loaded for one password call, freed with the last copy of the call.
using Library = std::shared_ptr<std::remove_pointer_t<HMODULE>>;

// The entry point of the library in the system folder; null (and no library) when either is missing.
FARPROC LoadSystemProc(const char* library, const char* entry, Library& loaded) {
    wchar_t folder[MAX_PATH + 1] = L"";
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    if (path.back() != L'\\') path.push_back(L'\\');
    HMODULE module = LoadLibraryW((path + Widen(library)).c_str());
    if (module == nullptr) return nullptr;
    loaded = Library(module, FreeLibrary);
    FARPROC proc = GetProcAddress(module, entry);
    if (proc == nullptr) loaded.reset();
    return proc;
}

template <typename T> T ProcAs(FARPROC proc) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(proc));
}

void ShowCursorTwice(bool show) {
    ::ShowCursor(show);
    ::ShowCursor(show);
}

class Win32SaverSystem final : public SaverSystem {
  public:
    // Set at the first On and cleared at the last Off: the dialog's full-screen preview nests inside a
    // run that holds the flag throughout.
    void SetScreenSaverRunning(bool running) override {
        if (running ? FHolds++ > 0 : (FHolds == 0 || --FHolds > 0)) return;
        UINT previous = 0;
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
    }

    WindowHandle ForegroundWindow() override { return FromHwnd(GetForegroundWindow()); }
    WindowHandleText HandleText() const override { return Win32WindowHandles; }

    bool PasswordRequired() override {
        const Win32RegistryKey desktop(HKEY_CURRENT_USER, "Control Panel\\desktop", true);
        const char* name = "ScreenSaveUsePassword";
        return desktop.Opened() && desktop.ValueExists(name) && desktop.ReadInteger(name) != 0;
    }

    std::function<bool(WindowHandle)> LoadVerifyPassword() override {
        Library library;
        const auto verify =
            ProcAs<VerifyScreenSavePwd>(LoadSystemProc("PASSWORD.CPL", "VerifyScreenSavePwd", library));
        if (verify == nullptr) return nullptr;
        return [verify, library](WindowHandle window) {
            // The saver hid the cursor twice; the system's dialog needs it.
            ShowCursorTwice(true);
            const bool accepted = verify(ToHwnd(window)) != FALSE;
            ShowCursorTwice(false);
            return accepted;
        };
    }

    std::function<void(WindowHandle)> LoadChangePassword() override {
        Library library;
        const auto change =
            ProcAs<PwdChangePasswordA>(LoadSystemProc("MPR.DLL", "PwdChangePasswordA", library));
        if (change == nullptr) return nullptr;
        return [change, library](WindowHandle window) { change("SCRSAVE", ToHwnd(window), 0, nullptr); };
    }

  private:
    int FHolds = 0;
};

} // namespace

std::unique_ptr<SaverSystem> CreateWin32SaverSystem() {
    return std::make_unique<Win32SaverSystem>();
}

} // namespace quillaby::platform
