// What Windows adds to SDL's windows, against the real system: the software-renderer test reads the
// pixel format's own flag, and a dialog owned by another window keeps that window from input while
// it lives.
#include "platform/win32/WinApi.h"
#include <gtest/gtest.h>

#include "platform/win32/Win32Desktop.h"

using namespace quillaby;

namespace {

struct Window {
    HWND handle = CreateWindowExA(0, "STATIC", "quillaby test", WS_OVERLAPPEDWINDOW, 0, 0, 64, 48, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ~Window() { DestroyWindow(handle); }
};

// The first OpenGL window format whose generic flag is `generic`, 0 when there is none.
int FormatWithFlag(HDC dc, bool generic) {
    PIXELFORMATDESCRIPTOR format{};
    const int count = DescribePixelFormat(dc, 1, sizeof format, &format);
    for (int i = 1; i <= count; ++i) {
        DescribePixelFormat(dc, i, sizeof format, &format);
        const DWORD wanted = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
        if ((format.dwFlags & wanted) == wanted && ((format.dwFlags & PFD_GENERIC_FORMAT) != 0) == generic)
            return i;
    }
    return 0;
}

TEST(Win32Desktop, TheGenericFlagOfTheWindowsPixelFormatTellsSoftwareRendering) {
    for (const bool generic : {true, false}) {
        Window window;
        ASSERT_NE(window.handle, nullptr);
        EXPECT_FALSE(platform::PixelFormatIsGeneric(window.handle)) << "no format set yet";
        HDC dc = GetDC(window.handle);
        const int index = FormatWithFlag(dc, generic);
        ASSERT_GT(index, 0) << "the system lists no " << (generic ? "generic" : "accelerated") << " format";
        PIXELFORMATDESCRIPTOR format{};
        DescribePixelFormat(dc, index, sizeof format, &format);
        ASSERT_TRUE(SetPixelFormat(dc, index, &format));
        ReleaseDC(window.handle, dc);
        EXPECT_EQ(platform::PixelFormatIsGeneric(window.handle), generic);
    }
}

TEST(Win32Desktop, AnOwnedDialogDisablesItsOwnerUntilItEnds) {
    Window owner;
    Window dialog;
    {
        const auto ownership = platform::OwnWin32Dialog(dialog.handle, owner.handle);
        ASSERT_NE(ownership, nullptr);
        EXPECT_EQ(GetWindow(dialog.handle, GW_OWNER), owner.handle);
        EXPECT_FALSE(IsWindowEnabled(owner.handle));
    }
    EXPECT_TRUE(IsWindowEnabled(owner.handle));
    EXPECT_EQ(GetWindow(dialog.handle, GW_OWNER), nullptr);

    // An owner that was already disabled (by a dialog of its own) stays so.
    EnableWindow(owner.handle, FALSE);
    platform::OwnWin32Dialog(dialog.handle, owner.handle).reset();
    EXPECT_FALSE(IsWindowEnabled(owner.handle));

    // A handle that names no window owns nothing: the dialog opens on its own.
    EXPECT_EQ(platform::OwnWin32Dialog(dialog.handle, platform::ToHwnd(3000000000u)), nullptr);
}

TEST(Win32Desktop, CommandLineHandlesSpanThirtyTwoBits) {
    Window window;
    const uint64_t text = platform::FromHwnd(window.handle);
    EXPECT_LE(text, 0xFFFFFFFFu);
    EXPECT_EQ(platform::ToHwnd(text), window.handle);
    // Above 2^31 a handle widens with its sign, as the system passes it from 32-bit programs.
    EXPECT_EQ(reinterpret_cast<intptr_t>(platform::ToHwnd(3000000000u)), static_cast<int32_t>(3000000000u));
}

} // namespace
