// The still picture of the preview mode as the host window's owner sees it: read back through the
// child window's device context, stretched over the host's client area. Host and preview live in this
// one process: Wine keeps another process's child window off its parent's pixels, so the end-to-end
// test checks the protocol across processes and this test the picture.
#include "platform/win32/WinApi.h"
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32Layer.h"

using namespace quillaby;

namespace {

// The 0xRRGGBB pixels of `window`'s client area, rows from the top.
std::vector<unsigned> ClientPixels(HWND window, int width, int height) {
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const unsigned*>(bits);
    std::vector<unsigned> pixels(p, p + width * height);
    for (unsigned& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return pixels;
}

TEST(HostPreview, ThePictureCoversTheHostStretched) {
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 150,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    // Two columns: red on the left, blue on the right.
    platform::RgbPicture picture{2, 1, {0xFF0000, 0x0000FF}};
    const auto preview = platform::CreateWin32HostPreview(platform::FromHwnd(host), picture, "Quillaby");
    HWND child = GetWindow(host, GW_CHILD);
    ASSERT_NE(child, nullptr);
    platform::InputEvent event;
    EXPECT_FALSE(preview->Poll(event)); // the paint message is handled here
    UpdateWindow(child);

    RECT area;
    GetClientRect(child, &area);
    const int w = area.right, h = area.bottom;
    ASSERT_GT(w, 8);
    const std::vector<unsigned> pixels = ClientPixels(child, w, h);
    for (int y : {0, h / 2, h - 1}) {
        EXPECT_EQ(pixels[y * w + 1], 0xFF0000u) << "left edge, row " << y;
        EXPECT_EQ(pixels[y * w + w / 4], 0xFF0000u) << "left half, row " << y;
        EXPECT_EQ(pixels[y * w + 3 * w / 4], 0x0000FFu) << "right half, row " << y;
        EXPECT_EQ(pixels[y * w + w - 2], 0x0000FFu) << "right edge, row " << y;
    }
    DestroyWindow(host);
}

} // namespace
