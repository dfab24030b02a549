// What Windows offers the saver: the password protocol with its libraries absent, the password
// option's registry value, and the preview's child window in a host window.
#include "platform/win32/WinApi.h"
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/ScrSaverApp.h"
#include "base/Error.h"
#include "platform/win32/Win32Layer.h"
#include "support/FakeMessageBox.h"

using namespace quillaby;

namespace {

bool InSystemFolder(const std::string& file) {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return GetFileAttributesA((std::string(folder) + "\\" + file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// HKEY_CURRENT_USER of this process alone points at a scratch key while the object lives, so the
// desktop's own password option stays untouched.
class ScratchCurrentUser {
  public:
    ScratchCurrentUser() {
        const std::string path = "Software\\Quillaby scratch " + std::to_string(GetCurrentProcessId());
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey,
                        nullptr);
        FPath = path;
        FRedirected = RegOverridePredefKey(HKEY_CURRENT_USER, FKey) == ERROR_SUCCESS;
    }
    ~ScratchCurrentUser() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(FKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
    }
    bool Redirected() const { return FRedirected; }

  private:
    HKEY FKey = nullptr;
    std::string FPath;
    bool FRedirected = false;
};

TEST(PasswordProtocol, AbsentLibrariesCloseAtOnceAndEndThePasswordChange) {
    const auto system = platform::CreateWin32SaverSystem();
    ASSERT_FALSE(InSystemFolder("PASSWORD.CPL"));
    EXPECT_FALSE(system->LoadVerifyPassword());
    // Wine's MPR.DLL still exports the change call, as a stub that returns at once; without it the
    // mode ends just the same.
    if (const auto change = system->LoadChangePassword()) change(0);

    test::FakeMessageBox messages;
    app::TApplication application(messages);
    app::TScreenSaverApp saver(application, "C:\\q\\pw" + std::to_string(GetCurrentProcessId()) + ".scr",
                               {"/a"}, *system);
    saver.Initialize();
    EXPECT_TRUE(application.Terminated());
    EXPECT_FALSE(application.ShowMainForm);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PasswordProtocol, TheOptionIsAnIntegerInControlPanelDesktop) {
    ScratchCurrentUser scratch;
    if (!scratch.Redirected()) GTEST_SKIP() << "RegOverridePredefKey is not available";
    const auto system = platform::CreateWin32SaverSystem();
    EXPECT_FALSE(system->PasswordRequired()) << "no key";
    HKEY desktop = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &desktop, nullptr),
              ERROR_SUCCESS);
    const DWORD on = 1;
    RegSetValueExA(desktop, "ScreenSaveUsePassword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on),
                   sizeof on);
    EXPECT_TRUE(system->PasswordRequired());
    RegSetValueExA(desktop, "ScreenSaveUsePassword", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    try {
        system->PasswordRequired();
        ADD_FAILURE() << "a string value was taken";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'ScreenSaveUsePassword'");
    }
    RegCloseKey(desktop);
}

bool SaverRunning() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

TEST(ScreenSaverRunning, TheSystemFlagFollowsTheOutermostHold) {
    const auto system = platform::CreateWin32SaverSystem();
    system->SetScreenSaverRunning(true);
    EXPECT_TRUE(SaverRunning());
    system->SetScreenSaverRunning(true); // the dialog's full-screen preview inside the run
    system->SetScreenSaverRunning(false);
    EXPECT_TRUE(SaverRunning());
    system->SetScreenSaverRunning(false);
    EXPECT_FALSE(SaverRunning());
}

TEST(HostPreview, AChildOfTheHostThatFollowsItsSizeAndEndsWithIt) {
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    platform::RgbPicture picture{2, 1, {0xFF0000, 0x0000FF}};
    const auto preview = platform::CreateWin32HostPreview(platform::FromHwnd(host), picture, "Quillaby");
    HWND child = GetWindow(host, GW_CHILD);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), host);

    SetWindowPos(host, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    platform::InputEvent event;
    EXPECT_FALSE(preview->Poll(event));
    RECT hostArea, childArea;
    GetClientRect(host, &hostArea);
    GetClientRect(child, &childArea);
    EXPECT_EQ(childArea.right, hostArea.right);
    EXPECT_EQ(childArea.bottom, hostArea.bottom);

    DestroyWindow(host);
    ASSERT_TRUE(preview->Poll(event));
    EXPECT_EQ(event.Type, platform::InputEvent::Kind::Quit);

    try {
        platform::CreateWin32HostPreview(platform::FromHwnd(host), picture, "Quillaby");
        ADD_FAILURE() << "a window that has gone was taken";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Invalid window handle"), std::string::npos);
    }
}

} // namespace
