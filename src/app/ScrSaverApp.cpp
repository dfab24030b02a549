#include "app/ScrSaverApp.h"

#include <algorithm>
#include <cctype>

#include "app/Application.h"
#include "app/WindowIdText.h"
#include "base/Error.h"
#include "platform/ProgramLocation.h"

namespace quillaby::app {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// The extension of the program file's name, from its last ".", in upper case; empty when none.
std::string Extension(const std::string& programPath) {
    const std::string name = platform::FileNameOf(programPath);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : Upper(name.substr(dot));
}

platform::WindowHandle WindowId(const std::string& text, const platform::WindowHandleText& rule) {
    if (const std::optional<uint64_t> id = ReadWindowId(text, rule.Largest)) return *id;
    throw Error("Invalid window handle \"" + text + "\": " + rule.Expected);
}

} // namespace

bool IsSaverFile(const std::string& programPath) {
    return Extension(programPath) == ".SCR";
}

TSaverMode ParseSaverMode(const std::string& programPath, const std::vector<std::string>& arguments) {
    if (arguments.empty()) return IsSaverFile(programPath) ? smConfig : smApplication;
    // The lead character ("/", "-" or any other) is dropped; the next one is the mode letter.
    const std::string first = Upper(arguments[0]);
    const char letter = first.size() >= 2 ? first[1] : '\0';
    switch (letter) {
    case 'C':
        return smConfig;
    case 'A':
        return smChangePassword;
    case 'P':
    case 'L':
        return smPreview;
    case 'S':
        return smSaver;
    default:
        return smConfig;
    }
}

platform::WindowHandle ParseHostWindow(const std::vector<std::string>& arguments,
                                       platform::WindowHandle foreground,
                                       const platform::WindowHandleText& rule) {
    if (arguments.size() >= 2) return WindowId(arguments[1], rule);
    if (!arguments.empty()) {
        const size_t colon = arguments[0].find(':');
        if (colon != std::string::npos) return WindowId(arguments[0].substr(colon + 1, 20), rule);
    }
    return foreground;
}

TScreenSaverApp::TScreenSaverApp(TApplication& application, std::string programPath,
                                 std::vector<std::string> arguments, platform::SaverSystem& system,
                                 platform::Clock& clock)
    : TCustomGraphicApplicationPro(application, std::move(programPath), clock),
      FArguments(std::move(arguments)), FSystem(system) {}

TScreenSaverApp::~TScreenSaverApp() {
    if (FInitialized && (FSaverMode == smApplication || FSaverMode == smSaver)) SetScreenSaverRunning(false);
}

void TScreenSaverApp::Initialize() {
    FSaverMode = ParseSaverMode(ProgramPath(), FArguments);
    // The executable started with arguments (the relaunched twin) stays out of the single-instance test.
    SingleInstance = IsSaverFile(ProgramPath()) || FSaverMode == smApplication;
    TCustomGraphicApplicationPro::Initialize();
    FInitialized = true;
    if (AnotherInstance()) return;
    if (FSaverMode == smApplication || FSaverMode == smSaver) SetScreenSaverRunning(true);
    if (FSaverMode != smApplication) {
        FGivenWindow = ParseHostWindow(FArguments, 0, FSystem.HandleText());
        FHostWindow = FGivenWindow != 0 ? FGivenWindow : FSystem.ForegroundWindow();
    }
    if (FSaverMode == smChangePassword) ChangePassword();
}

bool TScreenSaverApp::VerifyPassword() {
    if (!FSystem.PasswordRequired()) return true;
    const auto verify = FSystem.LoadVerifyPassword();
    if (!verify) return true;
    return verify(FSystem.ForegroundWindow());
}

void TScreenSaverApp::SetScreenSaverRunning(bool running) {
    FSystem.SetScreenSaverRunning(running);
}

void TScreenSaverApp::ChangePassword() {
    Application().ShowMainForm = false;
    if (const auto change = FSystem.LoadChangePassword()) change(FHostWindow);
    Application().Terminate();
}

} // namespace quillaby::app
