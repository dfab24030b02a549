// The main form in saver mode on an X server of its own, with a stand-in for the system's password
// library: a refused password keeps the saver running, closing cleans up before the rotating theme
// is stored, and a run that failed stores nothing. The About box's version comes from the form.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PrivateXServer.h"
#include "app/Application.h"
#include "app/FOndrel.h"
#include "app/FormSettings.h"
#include "app/SceneHost.h"
#include "base/Error.h"
#include "platform/Services.h"
#include "support/FakeMessageBox.h"
#include "support/ScopedEnv.h"

using namespace quillaby;
using namespace quillaby::app;
namespace fs = std::filesystem;

namespace {

// Records the blanking flag and answers the password check from a list.
class PasswordSystem : public platform::SaverSystem {
  public:
    std::vector<std::string>& events;
    std::vector<bool> answers; // the next answers of the password check, in order
    int asked = 0;
    explicit PasswordSystem(std::vector<std::string>& log) : events(log) {}
    void SetScreenSaverRunning(bool running) override { events.push_back(running ? "flag on" : "flag off"); }
    platform::WindowHandle ForegroundWindow() override { return 77; }
    platform::WindowHandleText HandleText() const override { return platform::XWindowIds; }
    bool PasswordRequired() override { return true; }
    std::function<bool(platform::WindowHandle)> LoadVerifyPassword() override {
        return [this](platform::WindowHandle window) {
            EXPECT_EQ(window, 77u);
            ++asked;
            const bool answer = answers.at(0);
            answers.erase(answers.begin());
            return answer;
        };
    }
    std::function<void(platform::WindowHandle)> LoadChangePassword() override { return {}; }
};

// A user's own folders and settings file, the program in a folder of its own.
struct User {
    fs::path root = fs::path(testing::TempDir()) / ("saver-form-" + std::to_string(getpid()));
    test::ScopedEnv config{"XDG_CONFIG_HOME", (root / "config").c_str()};
    test::ScopedEnv runtime{"XDG_RUNTIME_DIR", (root / "runtime").c_str()};
    test::ScopedEnv state{"XDG_STATE_HOME", (root / "state").c_str()};
    fs::path settings = root / "config/Harnwick Software/Quillaby.conf";
    User() {
        fs::remove_all(root);
        fs::create_directories(settings.parent_path());
        fs::create_directories(root / "runtime");
        fs::create_directories(root / "bin");
    }
    ~User() { fs::remove_all(root); }
    void Store(const std::string& text) const { std::ofstream(settings) << text; }
    std::string Stored() const {
        std::ifstream in(settings);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    RunOptions Run(const std::string& modeSwitch) const {
        RunOptions run;
        run.ProgramPath = (root / "bin/quillaby.scr").string();
        run.SaverArguments = {modeSwitch};
        run.LogFile = true;
        return run;
    }
};

constexpr const char* kRotatingAtImmersion = "Theme=-1\nDollarCount=2\nBubbleCount=2\nSound=0\n";

struct SaverForm : testing::Test {
    test::PrivateXServer x;
    User user;
    std::vector<std::string> events;
    PasswordSystem system{events};
    test::FakeMessageBox messages;
    TApplication application{messages};
    std::unique_ptr<TFormOndrel> form;

    void SetUp() override {
        if (!x.Running()) GTEST_SKIP() << "no Xvfb here";
    }

    // The form loaded for the mode switch; in saver mode also started, full screen.
    void Load(const std::string& modeSwitch) {
        user.Store(kRotatingAtImmersion);
        application.Title = "Quillaby";
        form = std::make_unique<TFormOndrel>(application, user.Run(modeSwitch), platform::SystemServices(),
                                             system);
        form->Load();
        if (modeSwitch != "/s") return;
        form->ScreenSaverApp.Start(); // the first idle pass
        ASSERT_TRUE(form->FullScreenActive) << (messages.shown.empty() ? "" : messages.shown[0].text);
        ASSERT_NE(form->SceneHost().RenderWindow(), nullptr);
    }
};

TEST_F(SaverForm, RefusedPasswordKeepsRunningAndClosingCleansUpBeforeTheThemeIsStored) {
    ASSERT_NO_FATAL_FAILURE(Load("/s"));
    // Refused: the saver runs on, and the next five moves are ignored again however far.
    system.answers = {false, true};
    form->Input.CheckMouseMove(10, 10); // some moves used up before the key
    form->HandleUserInput();
    EXPECT_EQ(system.asked, 1);
    EXPECT_FALSE(application.Terminated());
    EXPECT_TRUE(form->FullScreenActive);
    EXPECT_EQ(form->Input.MoveSkip, 5);
    for (int i = 0; i < 5; ++i) form->CheckMouseMove(i * 300, i * 200);
    form->CheckMouseMove(100, 100); // the anchor
    EXPECT_EQ(system.asked, 1);

    // Accepted on the next diagonal move: the window goes, the close line is logged.
    form->CheckMouseMove(104, 96);
    EXPECT_EQ(system.asked, 2);
    EXPECT_TRUE(application.Terminated());
    EXPECT_FALSE(form->FullScreenActive);

    // Closing frees the scene and gives the display back before the stop stores the theme.
    const auto stop = form->ScreenSaverApp.OnStop;
    form->ScreenSaverApp.OnStop = [&] {
        events.push_back("stop");
        EXPECT_EQ(form->SceneHost().RenderWindow(), nullptr);
        EXPECT_FALSE(form->DisplayControl->FullScreen());
        EXPECT_EQ(user.Stored(), kRotatingAtImmersion) << "stored before the stop";
        stop();
    };
    form->Close();
    form->Close();
    std::ifstream log(form->ScreenSaverApp.LogFileName());
    std::string text;
    std::getline(log, text, '\0');
    EXPECT_NE(text.find("Full Screen mode: "), std::string::npos) << text;
    form.reset();
    EXPECT_EQ(events, (std::vector<std::string>{"flag on", "stop", "flag off"}));
    EXPECT_NE(user.Stored().find("Theme=-2\n"), std::string::npos)
        << "Fountain comes next: " << user.Stored();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SaverForm, AFailedRunRestoresTheDisplayReportsAndStoresNothing) {
    ASSERT_NO_FATAL_FAILURE(Load("/s"));
    application.HandleException(Error("the driver went away"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "the driver went away");
    EXPECT_EQ(messages.shown[0].caption, "Ondrel Screen Saver Error!");
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(application.ExitCode(), 1);
    EXPECT_FALSE(form->DisplayControl->FullScreen());
    EXPECT_EQ(form->SceneHost().RenderWindow(), nullptr);
    form->Close();
    form.reset();
    EXPECT_EQ(user.Stored(), kRotatingAtImmersion);
    EXPECT_EQ(system.asked, 0);
}

TEST_F(SaverForm, TheAboutBoxVersionIsTheComponentsVersion) {
    Load("/c");
    TFormSettings settings(*form, application);
    EXPECT_EQ(settings.DialogParts().VersionText, "1.9");
    form->ScreenSaverApp.MajorVersion = 3;
    form->ScreenSaverApp.MinorVersion = 12;
    EXPECT_EQ(settings.DialogParts().VersionText, "3.12");
}

} // namespace
