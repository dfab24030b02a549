// What the command line accepts and how it refuses the rest.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/CommandLine.h"
#include "app/ScrSaverApp.h"

using namespace quillaby::app;

namespace {

RunOptions Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "quillaby");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

std::string ErrorOf(std::vector<const char*> args) {
    try {
        Parse(std::move(args));
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(CommandLine, WindowTakesEverySceneSetting) {
    const RunOptions o =
        Parse({"--window", "--theme", "2", "--notes", "0", "--bubbles", "100", "--size", "1024x768",
               "--no-sound", "--seed", "99", "--assets", "/tmp/a", "--fewer-passes"});
    EXPECT_EQ(o.Job, JobKind::Window);
    EXPECT_TRUE(o.FewerPasses);
    EXPECT_EQ(o.Theme, 2);
    EXPECT_EQ(o.Notes, 0);
    EXPECT_EQ(o.Bubbles, 100);
    EXPECT_EQ(o.Width, 1024);
    EXPECT_EQ(o.Height, 768);
    EXPECT_FALSE(o.Sound);
    ASSERT_TRUE(o.Seed.has_value());
    EXPECT_EQ(*o.Seed, 99u);
    EXPECT_EQ(o.AssetsDir, "/tmp/a");
}

TEST(CommandLine, SnapshotKeepsDefaultsItIsNotGiven) {
    const RunOptions o = Parse({"--snapshot", "out.png", "--frames", "5"});
    EXPECT_EQ(o.Job, JobKind::Snapshot);
    EXPECT_EQ(o.SnapshotFile, "out.png");
    EXPECT_EQ(o.Frames, 5);
    EXPECT_EQ(o.Notes, 60);
    EXPECT_EQ(o.Bubbles, 100);
    EXPECT_EQ(o.Theme, 0);
    EXPECT_TRUE(o.Sound);
    EXPECT_FALSE(o.FewerPasses);
    EXPECT_FALSE(o.Seed.has_value());
    EXPECT_TRUE(o.GLTraceFile.empty());
}

// The power savers go with the window and the saver modes (and pass to a relaunched twin); a
// snapshot takes the scale but has no frames to pace.
TEST(CommandLine, PowerSaversTakeTheirRangesAndGoWhereFramesAreWatched) {
    const RunOptions window = Parse({"--window", "--max-fps", "30", "--render-scale", "25"});
    EXPECT_EQ(window.MaxFps, 30);
    EXPECT_EQ(window.RenderScale, 25);
    EXPECT_TRUE(window.Given.MaxFps && window.Given.RenderScale);
    const RunOptions saver = Parse({"/s", "--max-fps", "0", "--render-scale", "100"});
    EXPECT_EQ(saver.Job, JobKind::Saver);
    EXPECT_EQ(saver.OwnOptions, (std::vector<std::string>{"--max-fps", "0", "--render-scale", "100"}));
    EXPECT_EQ(Parse({"--snapshot", "a.png", "--render-scale", "50"}).RenderScale, 50);
    EXPECT_FALSE(Parse({"--window"}).Given.RenderScale);

    EXPECT_NE(ErrorOf({"--window", "--render-scale", "24"}).find("from 25 to 100"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--render-scale", "101"}).find("from 25 to 100"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--max-fps", "-1"}).find("--max-fps needs"), std::string::npos);
    EXPECT_NE(ErrorOf({"--snapshot", "a.png", "--max-fps", "30"}).find("--max-fps applies"),
              std::string::npos);
}

TEST(CommandLine, GLTraceNamesItsFileForEitherJob) {
    EXPECT_EQ(Parse({"--snapshot", "a.png", "--gl-trace", "calls.txt"}).GLTraceFile, "calls.txt");
    EXPECT_EQ(Parse({"--gl-trace", "w.txt", "--window"}).GLTraceFile, "w.txt");
    EXPECT_NE(ErrorOf({"--window", "--gl-trace"}).find("--gl-trace needs a value"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--gl-trace", ""}).find("--gl-trace needs a file name"),
              std::string::npos);
}

TEST(CommandLine, BadValuesAreRefusedWithTheOptionNamed) {
    EXPECT_NE(ErrorOf({"--window", "--theme", "3"}).find("--theme"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--notes", "101"}).find("--notes"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--bubbles", "-1"}).find("--bubbles"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--notes", "12abc"}).find("12abc"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--size", "800"}).find("WIDTHxHEIGHT"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--size", "0x600"}).find("width"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--size", "800x"}).find("height"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--seed"}).find("needs a value"), std::string::npos);
    EXPECT_NE(ErrorOf({"--snapshot", "a.png", "--frames", "0"}).find("--frames"), std::string::npos);
}

TEST(CommandLine, JobsMustBeGivenOnceAndArgumentsKnown) {
    EXPECT_NE(ErrorOf({"--window", "--snapshot", "a.png"}).find("choose one"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--frames", "3"}).find("--snapshot only"), std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "--fast"}).find("\"--fast\""), std::string::npos);
    EXPECT_EQ(Parse({"--help"}).Job, JobKind::Help);
    // A single dash is a lead character like any other: "-h" is the letter h, the settings.
    const RunOptions h = Parse({"-h"});
    EXPECT_EQ(h.Job, JobKind::Saver);
    EXPECT_EQ(ParseSaverMode(h.ProgramPath, h.SaverArguments), smConfig);
}

// The wallpaper takes the scene's settings and the power savers; each output gives its size, and
// the screen-saver arguments belong to the other jobs.
TEST(CommandLine, WallpaperTakesSceneSettingsButNoSize) {
    const RunOptions o = Parse({"--theme", "1", "--wallpaper", "--max-fps", "10", "--render-scale", "50"});
    EXPECT_EQ(o.Job, JobKind::Wallpaper);
    EXPECT_EQ(o.Theme, 1);
    EXPECT_EQ(o.MaxFps, 10);
    EXPECT_EQ(o.RenderScale, 50);
    EXPECT_FALSE(Parse({"--wallpaper"}).Given.MaxFps);
    EXPECT_NE(ErrorOf({"--theme", "1", "--size", "9x9", "--wallpaper"}).find("--size applies"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"/s", "--size", "9x9"}).find("--size applies to --window and --snapshot only"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--wallpaper", "--window"}).find("choose one"), std::string::npos);
    EXPECT_NE(ErrorOf({"--wallpaper", "--frames", "3"}).find("--snapshot only"), std::string::npos);
    EXPECT_NE(ErrorOf({"/s", "--wallpaper"}).find("\"/s\""), std::string::npos);
}

TEST(CommandLine, OwnOptionsComeOutAndTheRestIsTheSaverCommandLine) {
    const RunOptions o = Parse({"--log", "/p", "--assets", "dir", "0x3e00004"});
    EXPECT_EQ(o.Job, JobKind::Saver);
    EXPECT_TRUE(o.LogFile);
    EXPECT_EQ(o.AssetsDir, "dir");
    EXPECT_EQ(o.SaverArguments, (std::vector<std::string>{"/p", "0x3e00004"}));
    // The relaunched twin starts in another folder: it gets the assets' folder as an absolute path.
    const std::string absolute = (std::filesystem::current_path() / "dir").string();
    EXPECT_EQ(o.OwnOptions, (std::vector<std::string>{"--log", "--assets", absolute}));
    const std::string rooted = (std::filesystem::current_path().root_path() / "opt" / "assets").string();
    EXPECT_EQ(Parse({"--assets", rooted.c_str()}).OwnOptions[1], rooted);
    EXPECT_EQ(o.ProgramPath, "quillaby");
    EXPECT_TRUE(Parse({}).SaverArguments.empty());
    // Single-dash names of the other family are whole names, never the mode letter "r" or "w".
    EXPECT_NE(ErrorOf({"-root"}).find("\"-root\""), std::string::npos);
    EXPECT_NE(ErrorOf({"/s", "--bogus"}).find("\"--bogus\""), std::string::npos);
    EXPECT_NE(
        ErrorOf({"/s", "--theme", "1"}).find("--theme applies to --window, --snapshot and --wallpaper only"),
        std::string::npos);
    EXPECT_NE(ErrorOf({"--window", "/s"}).find("\"/s\""), std::string::npos);
}

} // namespace

// The idle watcher takes its own two forms and nothing of the scene's.
TEST(CommandLine, IdleWatchTakesOnOffMinutesAndItsOwnIdleTime) {
    const RunOptions run = Parse({"--idle-watch", "--idle-after", "4", "--log"});
    EXPECT_EQ(run.Job, JobKind::IdleWatch);
    EXPECT_EQ(run.IdleWatch, IdleWatchAction::Run);
    EXPECT_EQ(run.IdleAfterSeconds, 4);
    const RunOptions on = Parse({"--idle-watch", "on", "10"});
    EXPECT_EQ(on.IdleWatch, IdleWatchAction::On);
    EXPECT_EQ(on.IdleMinutes, 10);
    EXPECT_FALSE(Parse({"--idle-watch", "on"}).IdleMinutes.has_value());
    EXPECT_EQ(Parse({"--idle-watch", "off"}).IdleWatch, IdleWatchAction::Off);
    for (const char* bad : {"0", "-5", "abc", "99999999", "7201"})
        EXPECT_NE(ErrorOf({"--idle-watch", "--idle-after", bad}).find("--idle-after needs a whole number"),
                  std::string::npos)
            << bad;
    EXPECT_NE(ErrorOf({"--idle-watch", "on", "121"}).find("from 1 to 120"), std::string::npos);
    EXPECT_NE(ErrorOf({"--idle-after", "5"}).find("applies to --idle-watch only"), std::string::npos);
    EXPECT_NE(ErrorOf({"--idle-watch", "off", "--idle-after", "5"}).find("applies to --idle-watch only"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--idle-watch", "/s"}).find("unknown argument \"/s\""), std::string::npos);
    EXPECT_NE(ErrorOf({"--idle-watch", "--theme", "1"}).find("takes --idle-after and --log only"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--idle-watch", "--window"}).find("choose one of"), std::string::npos);
}
