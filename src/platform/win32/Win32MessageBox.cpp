// Message boxes with MessageBoxW (the texts are UTF-8), owned by the active window of the program so they
// stay in front of it; the text goes to stderr instead when the run is not interactive.
#include <cstdio>

#include "platform/MessageBox.h"
#include "platform/NonInteractive.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Layer.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {
namespace {

UINT IconFlags(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::None:
        break;
    }
    return 0;
}

class Win32MessageBox final : public MessageBox {
  public:
    explicit Win32MessageBox(bool interactive) : FInteractive(interactive) {}

    void Show(const std::string& text, const std::string& caption, MessageIcon icon) override {
        if (FInteractive && !NonInteractiveByEnvironment() &&
            MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(caption).c_str(),
                        MB_OK | MB_TASKMODAL | IconFlags(icon)) != 0)
            return;
        std::fprintf(stderr, "%s\n%s\n", caption.c_str(), text.c_str());
        std::fflush(stderr);
    }

  private:
    bool FInteractive;
};

} // namespace

std::unique_ptr<MessageBox> CreateWin32MessageBox(bool interactive) {
    return std::make_unique<Win32MessageBox>(interactive);
}

} // namespace quillaby::platform
