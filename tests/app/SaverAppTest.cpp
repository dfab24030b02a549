// The screen-saver component: run modes and host windows from the command line, the program's
// paths, the single-instance lock, the log file, the frame-rate count and the exception hook.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Application.h"
#include "app/ScrSaverApp.h"
#include "base/Error.h"
#include "platform/InstanceLock.h"
#include "support/FakeMessageBox.h"
#include "support/ScopedEnv.h"

using namespace quillaby;
using namespace quillaby::app;
namespace fs = std::filesystem;

namespace {

class FakeSaverSystem : public platform::SaverSystem {
  public:
    std::vector<bool> flags;
    void SetScreenSaverRunning(bool running) override { flags.push_back(running); }
    platform::WindowHandle ForegroundWindow() override { return 77; }
    platform::WindowHandleText HandleText() const override { return platform::XWindowIds; }
    bool PasswordRequired() override { return false; }
    std::function<bool(platform::WindowHandle)> LoadVerifyPassword() override { return {}; }
    std::function<void(platform::WindowHandle)> LoadChangePassword() override { return {}; }
};

class ManualClock : public platform::Clock {
  public:
    uint32_t now = 1000;
    uint32_t Milliseconds() override { return now; }
    bool QueryMinPeriod(uint32_t& p) override { return p = 1, true; }
    bool BeginPeriod(uint32_t) override { return true; }
    void EndPeriod(uint32_t) override {}
};

// A private folder for the program and one for the lock, removed afterwards.
struct Folders {
    fs::path program = fs::path(testing::TempDir()) / ("saver-prog-" + std::to_string(getpid()));
    fs::path runtime = fs::path(testing::TempDir()) / ("saver-run-" + std::to_string(getpid()));
    test::ScopedEnv env{"XDG_RUNTIME_DIR", nullptr};
    Folders() {
        fs::remove_all(program);
        fs::remove_all(runtime);
        fs::create_directories(program);
        fs::create_directories(runtime);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    ~Folders() {
        fs::remove_all(program);
        fs::remove_all(runtime);
    }
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SaverCommandLine, ModesByProgramNameAndFirstArgument) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(ParseSaverMode("/usr/bin/quillaby", {}), smApplication);
    EXPECT_EQ(ParseSaverMode("/usr/bin/quillaby.scr", {}), smConfig);
    EXPECT_EQ(ParseSaverMode("quillaby.SCR", {}), smConfig);
    for (const char* saver : {"/s", "-S", "xs", "/s:99", "/S:1234"})
        EXPECT_EQ(ParseSaverMode("quillaby.scr", Args{saver}), smSaver) << saver;
    EXPECT_EQ(ParseSaverMode("quillaby", Args{"/s"}), smSaver);
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"s1"}), smConfig); // "s" is the dropped lead character
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"/x"}), smConfig);
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"/c:4711"}), smConfig);
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"/"}), smConfig);
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"/l"}), smPreview);
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"/p", "4711"}), smPreview);
    EXPECT_EQ(ParseSaverMode("q.scr", Args{"/a"}), smChangePassword);

    const platform::WindowHandleText& x = platform::XWindowIds;
    EXPECT_EQ(ParseHostWindow(Args{"/p", "4711"}, 5, x), 4711u);
    EXPECT_EQ(ParseHostWindow(Args{"/p:4711"}, 5, x), 4711u);
    EXPECT_EQ(ParseHostWindow(Args{"/p", "0x3e00004"}, 5, x), 0x3e00004u);
    EXPECT_EQ(ParseHostWindow(Args{"/c:0X1F"}, 5, x), 31u);
    EXPECT_EQ(ParseHostWindow(Args{"/p"}, 5, x), 5u);
    for (const char* bad : {"12ab", "", "-1", "0x", "99999999999", "0x20000000", "600000000"})
        EXPECT_THROW(ParseHostWindow(Args{"/p", bad}, 5, x), Error) << bad;
    // Windows handles span 32 bits, and the message there says nothing of X.
    const platform::WindowHandleText& win = platform::Win32WindowHandles;
    EXPECT_EQ(ParseHostWindow(Args{"/c:600000000"}, 5, win), 600000000u);
    EXPECT_EQ(ParseHostWindow(Args{"/p", "3000000000"}, 5, win), 3000000000u);
    EXPECT_EQ(ParseHostWindow(Args{"/c:4294967295"}, 5, win), 4294967295u);
    for (const char* bad : {"4294967296", "-1", "12ab"})
        EXPECT_THROW(ParseHostWindow(Args{"/p", bad}, 5, win), Error) << bad;
    for (const auto* rule : {&x, &win}) {
        try {
            ParseHostWindow(Args{"/p:abc"}, 0, *rule);
            ADD_FAILURE() << "abc was taken";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Invalid window handle \"abc\": ") + rule->Expected);
        }
    }
    EXPECT_EQ(std::string(win.Expected).find(" X "), std::string::npos);
}

TEST(SaverComponent, PathsLockAndFlagFollowTheProgramName) {
    Folders folders;
    test::FakeMessageBox messages;
    FakeSaverSystem system;
    const std::string program = (folders.program / "my.saver.scr").string();
    {
        TApplication application(messages);
        TScreenSaverApp app(application, program, {"/s"}, system);
        app.Initialize();
        EXPECT_EQ(app.SaverMode(), smSaver);
        EXPECT_EQ(app.ProgramFileName(), "my.saver.scr");
        EXPECT_EQ(app.BaseName(), "my");
        EXPECT_EQ(app.ProgramDir(), fs::canonical(folders.program).string() + "/");
        EXPECT_EQ(app.LogFileName(), app.ProgramDir() + "my.log");
        EXPECT_TRUE(fs::exists(folders.runtime / "mySemaphore"));
        EXPECT_FALSE(app.AnotherInstance());
        EXPECT_EQ(system.flags, std::vector<bool>{true});

        // A second copy while the first runs ends at once, without the flag; the executable twin
        // started with arguments takes no part in the test.
        TApplication second(messages);
        TScreenSaverApp copy(second, program, {"/p", "12"}, system);
        copy.Initialize();
        EXPECT_TRUE(copy.AnotherInstance());
        EXPECT_TRUE(second.Terminated());
        EXPECT_FALSE(second.ShowMainForm);
        TApplication third(messages);
        TScreenSaverApp twin(third, (folders.program / "my").string(), {"/s"}, system);
        twin.Initialize();
        EXPECT_FALSE(twin.AnotherInstance());
        EXPECT_FALSE(third.Terminated());
    }
    EXPECT_EQ(system.flags, (std::vector<bool>{true, true, false, false}))
        << "the flag is cleared at the end";
    // The lock went with its holder; the file stays.
    EXPECT_NE(platform::TryLockInstance((folders.runtime / "mySemaphore").string()), nullptr);

    // A program folder it may not write into sends the log to the user's state folder: one made
    // read-only (root may write there all the same) and one that is a file, which stops root too.
    test::ScopedEnv state("XDG_STATE_HOME", (folders.runtime / "state").c_str());
    const fs::path fallback = folders.runtime / "state/Harnwick Software/my.log";
    std::ofstream(folders.runtime / "file") << "x";
    chmod(folders.program.c_str(), 0500);
    for (const fs::path& folder : {folders.program, folders.runtime / "file"}) {
        if (folder == folders.program && geteuid() == 0) continue;
        TApplication application(messages);
        TScreenSaverApp app(application, (folder / "my.saver.scr").string(), {"/c"}, system);
        app.Company = "Harnwick Software";
        app.Initialize();
        app.SetLogFile(true);
        app.WriteLog("line");
        EXPECT_EQ(app.LogFileName(), fallback.string()) << folder;
        EXPECT_EQ(ReadAll(fallback).substr(0, 6), "line\r\n") << folder;
        fs::remove(fallback);
    }
    chmod(folders.program.c_str(), 0700);
}

TEST(SaverComponent, LockRefusesASymbolicLink) {
    Folders folders;
    const fs::path target = folders.runtime / "elsewhere";
    std::ofstream(target) << "x";
    fs::create_symlink(target, folders.runtime / "qSemaphore");
    EXPECT_THROW(platform::TryLockInstance((folders.runtime / "qSemaphore").string()), Error);
    EXPECT_EQ(ReadAll(target), "x");
}

TEST(SaverComponent, LogIsZeroFilledBlocksAndOnlyWhenSwitchedOn) {
    Folders folders;
    test::FakeMessageBox messages;
    FakeSaverSystem system;
    TApplication application(messages);
    TScreenSaverApp app(application, (folders.program / "q.scr").string(), {"/s"}, system);
    app.Initialize();
    app.Debug = true;
    app.WriteLog("not written");
    EXPECT_FALSE(fs::exists(app.LogFileName()));

    app.SetLogFile(true);
    app.WriteLog("short");
    std::string log = ReadAll(app.LogFileName());
    ASSERT_EQ(log.size(), 16384u);
    EXPECT_EQ(log.substr(0, 8), std::string("short\r\n") + '\0');
    EXPECT_EQ(log.find_first_not_of('\0', 7), std::string::npos);

    // A line longer than a block still ends in zeros.
    app.WriteLog(std::string(40000, 'x'));
    log = ReadAll(app.LogFileName());
    EXPECT_EQ(log.size(), 3u * 16384);
    EXPECT_EQ(log.find('\0'), 7u + 40002);
    EXPECT_EQ(log.substr(40007, 2), "\r\n");
}

TEST(SaverComponent, FrameRateIsMeasuredOverAtLeastOneSecond) {
    Folders folders;
    test::FakeMessageBox messages;
    FakeSaverSystem system;
    ManualClock clock;
    TApplication application(messages);
    TScreenSaverApp app(application, (folders.program / "q").string(), {"/s"}, system, clock);
    int changes = 0;
    app.OnFramesPerSecondChange = [&] { ++changes; };
    EXPECT_EQ(app.FramesPerSecond(), 1);
    bool done = true;
    for (int i = 0; i < 30; ++i) {
        app.Idle(done);
        clock.now += 50; // 20 passes a second
    }
    EXPECT_FALSE(done);
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(app.FramesPerSecond(), 21); // 21 passes counted when 1.0 s had passed
    EXPECT_EQ(changes, 1);
    for (int i = 0; i < 20; ++i) {
        app.Idle(done);
        clock.now += 50;
    }
    EXPECT_EQ(app.FramesPerSecond(), 20);
    EXPECT_EQ(changes, 2);
}

TEST(SaverComponent, ExceptionHookReportsAndAlwaysRestoresTheIdleHook) {
    test::FakeMessageBox messages;
    FakeSaverSystem system;
    TApplication application(messages);
    application.Title = "Quillaby";
    TScreenSaverApp app(application, "q", {"/s"}, system);
    bool idleSeenInHandler = true;
    app.OnException = [&](const std::exception&) {
        idleSeenInHandler = static_cast<bool>(application.OnIdle);
        throw Error("the report failed");
    };
    EXPECT_THROW(app.HandleException(Error("boom")), Error);
    EXPECT_FALSE(idleSeenInHandler);
    ASSERT_TRUE(application.OnIdle);
    bool done = true;
    application.OnIdle(done);
    EXPECT_FALSE(done);

    // Without a handler: the message box with the title, and the end of the program with code 1.
    app.OnException = nullptr;
    app.HandleException(Error("boom"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "boom");
    EXPECT_EQ(messages.shown[0].caption, "Quillaby");
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(application.ExitCode(), 1);
}

} // namespace
