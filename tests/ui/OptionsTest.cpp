#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "app/StoredSceneOptions.h"
#include "base/Error.h"
#include "platform/posix/PosixSettingsFile.h"
#include "support/FakeDisplayModes.h"
#include "support/ScopedEnv.h"
#include "ui/Options.h"

namespace fs = std::filesystem;
using quillaby::test::FakeDisplayModes;
using quillaby::test::ScopedEnv;

namespace {

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

unsigned ModeOf(const fs::path& p) {
    struct stat st {};
    return stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : ~0u;
}

size_t EntriesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A private config folder, a display with 16- and 32-bit modes and a 32-bit desktop.
struct Options : ::testing::Test {
    fs::path root = fs::temp_directory_path() / ("quillaby-options-" + std::to_string(getpid()));
    ScopedEnv configHome{"XDG_CONFIG_HOME", (root / "config").c_str()};
    ScopedEnv configDirs{"XDG_CONFIG_DIRS",
                         ((root / "etc1").string() + ":" + (root / "etc2").string()).c_str()};
    fs::path file = root / "config" / "Harnwick Software" / "Quillaby.conf";
    FakeDisplayModes platform;
    std::unique_ptr<TDisplayControl> display;
    TOptions options;

    void SetUp() override {
        platform.listed = {FakeDisplayModes::Mode(640, 480, 16),  FakeDisplayModes::Mode(800, 600, 16),
                           FakeDisplayModes::Mode(640, 480, 32),  FakeDisplayModes::Mode(800, 600, 32),
                           FakeDisplayModes::Mode(1280, 600, 32), FakeDisplayModes::Mode(1024, 768, 32),
                           FakeDisplayModes::Mode(1920, 1080, 32)};
    }
    void TearDown() override { fs::remove_all(root); }

    static std::unique_ptr<TRegistry> Key(bool readOnly = true) {
        return TRegistry::Open(TRootKey::CurrentUser, "Harnwick Software", "Quillaby", readOnly);
    }
    // The start of the scene: enumerate, defaults, then the stored values.
    void Start(int desktopWidth = 1920, int desktopHeight = 1080) {
        platform.desktopWidth = desktopWidth;
        platform.desktopHeight = desktopHeight;
        display = std::make_unique<TDisplayControl>(platform);
        display->OnEnumerate = [](int32_t depth, int32_t, int32_t, bool& accept) {
            accept = depth == 16 || depth == 32;
        };
        display->Enumerate();
        options.SetDefaultOptions(*display);
        options.Load(*Key(), *display);
    }
    std::string Mode() const {
        const auto& m = display->FullScreenMode();
        return std::to_string(m.Width()) + "x" + std::to_string(m.Height()) + "x" +
               std::to_string(m.ColorDepth());
    }
};

TEST_F(Options, FirstRunDefaultsAndTheDesktopSizes) {
    Start(1920, 1080);
    EXPECT_EQ(options.BubbleCount, 100);
    EXPECT_EQ(options.DollarCount, 60);
    EXPECT_EQ(options.ThemeIndex, 0);
    EXPECT_FALSE(options.AutoTheme);
    EXPECT_TRUE(options.SoundEnabled);
    EXPECT_FALSE(options.DesktopOnly);
    EXPECT_EQ(Mode(), "800x600x32");
    EXPECT_FALSE(fs::exists(root / "config")); // reading creates nothing

    Start(800, 600);
    EXPECT_EQ(Mode(), "800x600x32");
    Start(1280, 600);
    EXPECT_EQ(Mode(), "1280x600x32");
}

TEST_F(Options, AutomaticThemeRotatesAndOnlyItsLineChanges) {
    const std::string before = "# my notes\r\nBubbleCount=7\nTheme=-3\nMyOwnSetting=\"x\"\n\nWidth=640\n";
    WriteFile(file, before);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Start();
    EXPECT_TRUE(options.AutoTheme);
    EXPECT_EQ(options.ThemeIndex, 2); // Fishes
    EXPECT_EQ(options.BubbleCount, 7);
    EXPECT_EQ(Mode(), "800x600x32"); // a width without a height is ignored

    options.NextAutoTheme(); // the next saver start shows Immersion
    EXPECT_EQ(options.ThemeIndex, 0);
    options.SaveAutoTheme(*Key(false));
    EXPECT_EQ(ReadFile(file), "# my notes\r\nBubbleCount=7\nTheme=-1\nMyOwnSetting=\"x\"\n\nWidth=640\n");
    EXPECT_EQ(ModeOf(file), 0640u); // the user's own mode survives the replacement

    options.AutoTheme = false; // a fixed theme stores nothing at the end of a run
    options.SaveAutoTheme(*Key(false));
    EXPECT_EQ(ReadFile(file), "# my notes\r\nBubbleCount=7\nTheme=-1\nMyOwnSetting=\"x\"\n\nWidth=640\n");
}

TEST_F(Options, SaveWritesEveryValueKeepsForeignLinesAndLoadsBack) {
    WriteFile(file, "# kept\nSound=0\nSomethingElse=12\n");
    Start();
    options.BubbleCount = 33;
    options.DollarCount = 0;
    options.ThemeIndex = 1;
    options.AutoTheme = true;
    options.RunAsExe = true;
    display->FullScreenMode().SetMode(1024, 768, 32);
    options.Save(*Key(false), *display);
    EXPECT_EQ(ReadFile(file), "# kept\nSound=0\nSomethingElse=12\nBubbleCount=33\nDollarCount=0\nTheme=-2\n"
                              "ColorDepth=32\nWidth=1024\nHeight=768\nDesktopOnly=0\nRunAsExe=1\n");

    TOptions again;
    again.RunAsExe = false;
    Start();
    EXPECT_EQ(Mode(), "1024x768x32");
    EXPECT_EQ(options.ThemeIndex, 1);
    EXPECT_TRUE(options.AutoTheme);
    again.ReadRunAsExe(*Key());
    EXPECT_TRUE(again.RunAsExe);
    again.SetDefaultOptions(*display); // "Default" leaves RunAsExe alone
    EXPECT_TRUE(again.RunAsExe);
}

TEST_F(Options, FileOnlyOptionsComeFromTheFileAndSurviveDefaultsAndSave) {
    Start();
    EXPECT_FALSE(options.SceneOptions().FewerPasses);
    EXPECT_TRUE(options.OtherMonitors);
    options.Save(*Key(false), *display);
    EXPECT_EQ(ReadFile(file).find("OtherMonitors"), std::string::npos) << "the default is not written";
    EXPECT_EQ(ReadFile(file).find("WallpaperOnBattery"), std::string::npos) << "the default is not written";
    WriteFile(file, "FewerPasses=1\nOtherMonitors=0\nWallpaperOnBattery=1\n");
    Start();
    EXPECT_TRUE(options.SceneOptions().FewerPasses);
    EXPECT_FALSE(options.OtherMonitors);
    EXPECT_TRUE(options.WallpaperOnBattery);
    options.SetDefaultOptions(*display);
    options.Save(*Key(false), *display);
    EXPECT_NE(ReadFile(file).find("FewerPasses=1\n"), std::string::npos) << ReadFile(file);
    EXPECT_NE(ReadFile(file).find("OtherMonitors=0\n"), std::string::npos) << ReadFile(file);
    EXPECT_NE(ReadFile(file).find("WallpaperOnBattery=1\n"), std::string::npos) << ReadFile(file);
}

// The power savers: the defaults are not written, stored values come back through Default and
// Save, and values out of range are brought into it.
TEST_F(Options, PowerSaversRoundTripAndComeIntoRange) {
    Start();
    EXPECT_EQ(options.MaxFps, 0);
    EXPECT_EQ(options.RenderScale, 100);
    options.Save(*Key(false), *display);
    EXPECT_EQ(ReadFile(file).find("MaxFps"), std::string::npos) << ReadFile(file);
    EXPECT_EQ(ReadFile(file).find("RenderScale"), std::string::npos) << ReadFile(file);
    EXPECT_EQ(ReadFile(file).find("IdleMinutes"), std::string::npos) << ReadFile(file);

    WriteFile(file, "MaxFps=30\nRenderScale=50\nIdleMinutes=12\n");
    Start();
    EXPECT_EQ(options.MaxFps, 30);
    EXPECT_EQ(options.RenderScale, 50);
    EXPECT_EQ(options.IdleMinutes, 12);
    options.SetDefaultOptions(*display);
    options.Save(*Key(false), *display);
    EXPECT_NE(ReadFile(file).find("MaxFps=30\n"), std::string::npos) << ReadFile(file);
    EXPECT_NE(ReadFile(file).find("RenderScale=50\n"), std::string::npos) << ReadFile(file);
    EXPECT_NE(ReadFile(file).find("IdleMinutes=12\n"), std::string::npos) << ReadFile(file);

    WriteFile(file, "MaxFps=-5\nRenderScale=10\nIdleMinutes=0\n");
    Start();
    EXPECT_EQ(options.MaxFps, 0);
    EXPECT_EQ(options.RenderScale, 25);
    EXPECT_EQ(options.IdleMinutes, 1);
    WriteFile(file, "MaxFps=100000\nRenderScale=400\nIdleMinutes=9999\n");
    Start();
    EXPECT_EQ(options.MaxFps, TOptions::MaxFpsLimit);
    EXPECT_EQ(options.RenderScale, 100);
    EXPECT_EQ(options.IdleMinutes, TOptions::MaxIdleMinutes);
}

// The wallpaper runs all day: at most 30 frames a second unless the settings file or the command line
// says otherwise (a stored 0, no cap, too); the window keeps its own default of no cap. On battery it
// rests unless the settings file says otherwise.
TEST_F(Options, TheWallpapersCapAndRestOnBatteryUnlessStoredOrGiven) {
    using namespace quillaby::app;
    const auto cap = [](JobKind job, std::optional<int> given = std::nullopt) {
        RunOptions run;
        run.Job = job;
        if (given) {
            run.MaxFps = *given;
            run.Given.MaxFps = true;
        }
        ApplyStoredSceneOptions(run);
        return run.MaxFps;
    };
    EXPECT_EQ(cap(JobKind::Wallpaper), 30);
    EXPECT_EQ(cap(JobKind::Window), 0);
    WriteFile(file, "MaxFps=0\n");
    EXPECT_EQ(cap(JobKind::Wallpaper), 0);
    WriteFile(file, "MaxFps=12\n");
    EXPECT_EQ(cap(JobKind::Wallpaper), 12);
    EXPECT_EQ(cap(JobKind::Wallpaper, 5), 5);

    RunOptions run;
    ApplyStoredSceneOptions(run);
    EXPECT_TRUE(run.RestOnBattery);
    WriteFile(file, "WallpaperOnBattery=1\n");
    ApplyStoredSceneOptions(run);
    EXPECT_FALSE(run.RestOnBattery);
}

TEST_F(Options, StoredValuesTheDisplayCannotShowOrOutOfRange) {
    platform.listed.insert(platform.listed.begin(), FakeDisplayModes::Mode(1024, 768, 16));
    WriteFile(file, "ColorDepth=24\nWidth=1024\nHeight=768\nBubbleCount=250\nDollarCount=-4\nTheme=5\n");
    Start();
    EXPECT_EQ(Mode(), "1024x768x32"); // the desktop's depth, not merely the first group's
    EXPECT_EQ(options.BubbleCount, 100);
    EXPECT_EQ(options.DollarCount, 0);
    EXPECT_EQ(options.ThemeIndex, 0);
    EXPECT_FALSE(options.AutoTheme);

    WriteFile(file, "ColorDepth=16\nWidth=1920\nHeight=1080\n"); // no such size at 16 bits
    Start();
    EXPECT_EQ(Mode(), "1024x768x16"); // the desktop's size is missing too: the group's first

    WriteFile(file, "DesktopOnly=1\nColorDepth=16\nWidth=640\nHeight=480\n");
    Start();
    EXPECT_EQ(Mode(), "1920x1080x32");
}

TEST_F(Options, WrongTypesAndFailedWritesRaiseTheirMessages) {
    WriteFile(file, "DollarCount=\"many\"\n");
    try {
        Start();
        FAIL() << "a string read as a count";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'DollarCount'");
    }
    WriteFile(file, "Theme=2x\n");
    EXPECT_THROW(Start(), quillaby::Error);

    fs::remove_all(root / "config");
    WriteFile(root / "config", "a file where the folder belongs");
    try {
        options.Save(*Key(false), *display);
        FAIL() << "saved into a file";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'BubbleCount'");
    }
    EXPECT_THROW(Key(true)->WriteInteger("Theme", 1), quillaby::Error);
}

// Dotfile managers link the file into place: saving goes where the links lead (a relative link
// counts from its own folder), and every link stays a link.
TEST_F(Options, SavingALinkedFileWritesItsTargetAndKeepsTheLinks) {
    const fs::path dotfiles = root / "dotfiles";
    WriteFile(dotfiles / "real.conf", "# mine\nBubbleCount=5\n");
    fs::permissions(dotfiles / "real.conf",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool root_user = geteuid() == 0;
    if (root_user) {
        ASSERT_EQ(chown((dotfiles / "real.conf").c_str(), 65534, 65534), 0);
    }
    fs::create_symlink("real.conf", dotfiles / "alias.conf");
    fs::create_directories(file.parent_path());
    fs::create_symlink(dotfiles / "alias.conf", file);

    auto key = Key(false);
    key->WriteInteger("BubbleCount", 9);
    key->Flush();
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(dotfiles / "alias.conf"));
    EXPECT_EQ(ReadFile(dotfiles / "real.conf"), "# mine\nBubbleCount=9\n");
    EXPECT_EQ(ModeOf(dotfiles / "real.conf"), 0640u);
    if (root_user) { // root saving a user's file (sudo) leaves it the user's
        struct stat st {};
        ASSERT_EQ(stat((dotfiles / "real.conf").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
    }
    EXPECT_EQ(EntriesIn(dotfiles), 2u);
    EXPECT_EQ(EntriesIn(file.parent_path()), 1u);

    fs::remove(file); // relative, from the link's folder, not from ours
    fs::create_symlink("../../dotfiles/real.conf", file);
    key = Key(false);
    EXPECT_EQ(key->ReadInteger("BubbleCount"), 9);
    key->WriteInteger("Sound", 0);
    key->Flush();
    EXPECT_EQ(ReadFile(dotfiles / "real.conf"), "# mine\nBubbleCount=9\nSound=0\n");
    EXPECT_TRUE(fs::is_symlink(file));

    fs::remove(dotfiles / "real.conf"); // a loop fails and changes nothing
    fs::create_symlink(file, dotfiles / "real.conf");
    key = Key(false);
    key->WriteInteger("Sound", 1);
    EXPECT_THROW(key->Flush(), quillaby::Error);
    EXPECT_EQ(fs::read_symlink(dotfiles / "real.conf"), file);
}

// Decided from the owner's write bit, so it holds for root too, who could write the file anyway.
TEST_F(Options, AFileItsOwnerMadeReadOnlyIsNeverWritten) {
    WriteFile(file, "BubbleCount=5\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    Start();
    options.BubbleCount = 6;
    try {
        options.Save(*Key(false), *display);
        FAIL() << "a read-only file was replaced";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'BubbleCount'");
    }
    EXPECT_EQ(ReadFile(file), "BubbleCount=5\n");
    EXPECT_EQ(ModeOf(file), 0440u);
    EXPECT_EQ(EntriesIn(file.parent_path()), 1u);
}

TEST_F(Options, ProgramPathFromTheMachineFileEndsInASlash) {
    options.ReadProgramPath(*TRegistry::Open(TRootKey::LocalMachine, "Harnwick Software", "Quillaby", false),
                            "/opt/q/");
    EXPECT_EQ(options.ProgramPath, "/opt/q/");
    WriteFile(root / "etc2" / "Harnwick Software" / "Quillaby.conf", "Path=\"/usr/lib/quillaby\"\n");
    auto machine = TRegistry::Open(TRootKey::LocalMachine, "Harnwick Software", "Quillaby", false);
    options.ReadProgramPath(*machine, "/opt/q/");
    EXPECT_EQ(options.ProgramPath, "/usr/lib/quillaby/");
    EXPECT_THROW(machine->WriteInteger("Path", 1), quillaby::Error); // never written
}

TEST_F(Options, ProgramPathEndingInABackslashIsKeptAsItIs) {
    WriteFile(root / "etc2" / "Harnwick Software" / "Quillaby.conf", "Path=\"C:\\\\Q\\\\\"\n");
    options.ReadProgramPath(*TRegistry::Open(TRootKey::LocalMachine, "Harnwick Software", "Quillaby", false),
                            "/opt/q/");
    EXPECT_EQ(options.ProgramPath, "C:\\Q\\");
}

TEST_F(Options, ConcurrentSavesKeepEachOthersValues) {
    auto dialog = Key(false);
    auto saver = Key(false); // both opened before either writes
    dialog->WriteInteger("BubbleCount", 12);
    saver->WriteInteger("Theme", -2);
    dialog->Flush();
    saver->Flush();
    EXPECT_EQ(ReadFile(file), "BubbleCount=12\nTheme=-2\n");
    EXPECT_EQ(ModeOf(file), 0600u); // a new file and the folder the save made are the user's alone
    EXPECT_EQ(ModeOf(file.parent_path()), 0700u);
    // Without a company the file sits directly in the config folder.
    auto plain = TRegistry::Open(TRootKey::CurrentUser, "", "Quillaby", false);
    plain->WriteInteger("Sound", 0);
    plain->Flush();
    EXPECT_EQ(ReadFile(root / "config" / "Quillaby.conf"), "Sound=0\n");
}

TEST_F(Options, AWriterKilledBeforeItsRenameLeavesTheOldFile) {
    WriteFile(file, "BubbleCount=5\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        quillaby::platform::PosixSettingsFile f(file.string(), true);
        f.SetBeforeRename([] { raise(SIGKILL); });
        f.Update([](const std::optional<std::string>&) { return std::string("BubbleCount=6\n"); });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadFile(file), "BubbleCount=5\n");
    // The next save cleans up what the killed one left.
    auto key = Key(false);
    key->WriteInteger("BubbleCount", 7);
    key->Flush();
    EXPECT_EQ(ReadFile(file), "BubbleCount=7\n");
    EXPECT_EQ(EntriesIn(file.parent_path()), 1u);
}

TEST_F(Options, ReadersNeverSeeAHalfWrittenFile) {
    const std::string a = "BubbleCount=1\n" + std::string(65536, '#') + "\n";
    const std::string b = "BubbleCount=2\n" + std::string(30000, '#') + "\n";
    WriteFile(file, a);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        quillaby::platform::PosixSettingsFile f(file.string(), true);
        for (int i = 0; i < 30; ++i) f.Update([&](const auto&) { return i % 2 ? a : b; });
        _exit(0);
    }
    quillaby::platform::PosixSettingsFile f(file.string(), false);
    int reads = 0;
    for (int status = 0; waitpid(writer, &status, WNOHANG) == 0; ++reads) {
        const auto text = f.Read();
        ASSERT_TRUE(text && (*text == a || *text == b));
    }
    EXPECT_GT(reads, 0);
}

} // namespace
