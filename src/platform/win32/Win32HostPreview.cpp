// The preview mode's still picture on Windows: a child window of the host (the display settings'
// preview area) that stretches the picture over the host's client area, follows the host's size and
// ends the run once the host has gone.
#include "base/Error.h"
#include "platform/win32/Win32Layer.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {
namespace {

constexpr const char* kClassName = "QuillabyPreview";
constexpr DWORD kHostCheckMs = 200; // how soon a host that has gone is noticed while waiting

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* picture = reinterpret_cast<const RgbPicture*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers everything
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        if (picture != nullptr && picture->Width > 0 && picture->Height > 0) {
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = picture->Width;
            info.bmiHeader.biHeight = -picture->Height; // rows from the top
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32; // 0x00RRGGBB is a BGRX pixel in memory
            info.bmiHeader.biCompression = BI_RGB;
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, picture->Width, picture->Height,
                          picture->Pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterPreviewClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PreviewProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass); // fails harmlessly when already registered
}

class Win32HostPreview final : public EventPump {
  public:
    Win32HostPreview(WindowHandle host, RgbPicture picture, const std::string& title)
        : FHost(ToHwnd(host)), FPicture(std::move(picture)) {
        if (FHost != nullptr && !IsWindow(FHost))
            throw Error("Invalid window handle " + std::to_string(host) + ": there is no such window");
        RegisterPreviewClass();
        RECT area{0, 0, FPicture.Width, FPicture.Height};
        if (FHost != nullptr) GetClientRect(FHost, &area);
        const DWORD style =
            FHost != nullptr ? WS_CHILD | WS_VISIBLE | WS_DISABLED : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        FWindow = CreateWindowExA(0, kClassName, title.c_str(), style, 0, 0, area.right, area.bottom, FHost,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        if (FWindow == nullptr) throw Error("The preview window could not be created");
        SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&FPicture));
        InvalidateRect(FWindow, nullptr, FALSE);
    }

    ~Win32HostPreview() override {
        if (IsWindow(FWindow)) DestroyWindow(FWindow);
    }

    bool Poll(InputEvent& event) override {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return Report(event, InputEvent::Kind::Quit);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!IsWindow(FWindow) || (FHost != nullptr && !IsWindow(FHost)))
            return Report(event, InputEvent::Kind::Quit);
        FollowHost();
        return false;
    }

    void Wait() override {
        if (FEnded) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kHostCheckMs, QS_ALLINPUT);
    }

  private:
    // Reports the end once; later polls find nothing more.
    bool Report(InputEvent& event, InputEvent::Kind kind) {
        if (FEnded) return false;
        FEnded = true;
        event = InputEvent{};
        event.Type = kind;
        event.Window = static_cast<uint32_t>(FromHwnd(FWindow));
        return true;
    }

    void FollowHost() {
        if (FHost == nullptr) return;
        RECT host;
        RECT own;
        GetClientRect(FHost, &host);
        GetClientRect(FWindow, &own);
        if (host.right != own.right || host.bottom != own.bottom)
            MoveWindow(FWindow, 0, 0, host.right, host.bottom, TRUE);
    }

    HWND FHost;
    RgbPicture FPicture;
    HWND FWindow = nullptr;
    bool FEnded = false;
};

} // namespace

std::unique_ptr<EventPump> CreateWin32HostPreview(WindowHandle host, RgbPicture picture,
                                                  const std::string& title) {
    return std::make_unique<Win32HostPreview>(host, std::move(picture), title);
}

} // namespace quillaby::platform
