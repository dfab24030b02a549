// Closing on input and the process launcher.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ExecutePro.h"
#include "app/InputGate.h"
#include "platform/Processes.h"

using namespace quillaby::app;
namespace fs = std::filesystem;

namespace {

TEST(InputGate, FiveMovesIgnoredThenBothAxesMustMoveThreePixels) {
    TInputGate gate;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(gate.CheckMouseMove(i * 500, i * 500));
    EXPECT_FALSE(gate.CheckMouseMove(100, 100)); // the anchor
    EXPECT_FALSE(gate.CheckMouseMove(900, 100)); // one axis, however far
    EXPECT_FALSE(gate.CheckMouseMove(100, 102));
    EXPECT_FALSE(gate.CheckMouseMove(102, 102)); // a slow move measured from the anchor...
    EXPECT_TRUE(gate.CheckMouseMove(103, 97));   // ...closes once both axes reach 3
    gate.Reset();
    EXPECT_EQ(gate.MoveSkip, 5);
    EXPECT_EQ(gate.AnchorX, -1);
    EXPECT_FALSE(gate.CheckMouseMove(0, 0));
}

TEST(Launcher, CommandLineSplitsAtTheBlankAfterTheExtension) {
    TExecutePro launcher;
    launcher.SetCommandLine("/opt/saver/Name.exe -s");
    EXPECT_EQ(launcher.ProgramName(), "/opt/saver/Name.exe");
    EXPECT_EQ(launcher.Parameters(), "-s");
    EXPECT_EQ(launcher.DefaultDirectory, "/opt/saver/");
    launcher.SetCommandLine("/a/b.exe -c extra");
    EXPECT_EQ(launcher.Parameters(), "-c extra");
    launcher.SetCommandLine("/a/b.exe -f x.txt"); // a dot in the parameters ends the scan there
    EXPECT_EQ(launcher.ProgramName(), "/a/b.exe -f x.txt");
    EXPECT_EQ(launcher.Parameters(), "");
    launcher.SetCommandLine("/usr/bin/quillaby -s"); // no extension: the first blank
    EXPECT_EQ(launcher.ProgramName(), "/usr/bin/quillaby");
    EXPECT_EQ(launcher.Parameters(), "-s");
    EXPECT_EQ(launcher.DefaultDirectory, "/opt/saver/") << "the first command line's folder stays";
}

TEST(Launcher, StartsInItsFolderAtItsPriorityAndWaits) {
    const fs::path folder = fs::path(testing::TempDir()) / ("launch-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const int pid =
        quillaby::platform::StartProcess("/bin/sleep", {"sleep", "30"}, folder.string(), NiceValueOf(epIdle));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(pid) + "/cwd"), fs::canonical(folder));
    std::ifstream statFile("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2)); // field 3 onwards
    std::string field;
    for (int i = 3; i <= 19; ++i) fields >> field;
    EXPECT_EQ(field, "19") << "nice value";
    kill(pid, SIGTERM);
    EXPECT_EQ(quillaby::platform::WaitForProcess(pid), 128 + SIGTERM);

    TExecutePro launcher;
    launcher.Mode = emProcess;
    launcher.ExecuteCommand("/bin/false");
    EXPECT_EQ(launcher.LastExitCode(), 1);
    launcher.ExecuteProgram((folder / "missing").string(), {"/s"});
    EXPECT_EQ(launcher.LastExitCode(), -1) << "a failed start is silent";
    fs::remove_all(folder);
}

} // namespace
