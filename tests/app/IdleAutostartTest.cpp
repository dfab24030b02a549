// Turning the idle watcher on and off for the user's sessions, in a scratch config folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app/IdleAutostart.h"

using namespace quillaby::app;
namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class IdleAutostart : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("quillaby-autostart-" + std::to_string(::getpid()));
        fs::remove_all(root);
        place.ConfigHome = (root / "home").string();
        place.ConfigDirs = {(root / "none").string(), (root / "system").string()};
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path UserEntry() const { return root / "home" / "autostart" / AutostartFileName; }

    fs::path root;
    AutostartPlace place;
};

TEST_F(IdleAutostart, TheEntryRunsTheProgramAsWrittenEvenWithSpacesAndPercents) {
    const std::string text = AutostartEntryText("/opt/My Apps/100%/quillaby");
    EXPECT_NE(text.find("\nExec=\"/opt/My Apps/100%%/quillaby\" --idle-watch\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nTryExec=/opt/My Apps/100%/quillaby\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nNoDisplay=true\n"), std::string::npos);
    EXPECT_EQ(text.find("X-GNOME-Autostart-Phase"), std::string::npos);
    EXPECT_NE(AutostartEntryText("/a\\b").find("Exec=\"/a\\\\\\\\b\" --idle-watch"), std::string::npos);
}

TEST_F(IdleAutostart, OnWritesTheUsersEntryAndOffRemovesIt) {
    EXPECT_EQ(WriteAutostartEntry(place, "/usr/bin/quillaby"), UserEntry().string());
    EXPECT_EQ(Read(UserEntry()), AutostartEntryText("/usr/bin/quillaby"));
    EXPECT_FALSE(fs::exists(UserEntry().string() + ".new"));
    EXPECT_EQ(RemoveAutostartEntry(place), "removed " + UserEntry().string());
    EXPECT_FALSE(fs::exists(UserEntry()));
    EXPECT_EQ(RemoveAutostartEntry(place), ""); // nothing left to undo
}

TEST_F(IdleAutostart, OffHidesTheSystemsEntryWithTheUsersOwnCopy) {
    fs::create_directories(root / "system" / "autostart");
    std::ofstream(root / "system" / "autostart" / AutostartFileName) << AutostartEntryText("/usr/bin/quillaby");
    RemoveAutostartEntry(place);
    EXPECT_NE(Read(UserEntry()).find("\nHidden=true\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(root / "system" / "autostart" / AutostartFileName)); // the system's stays
}

TEST_F(IdleAutostart, CompositorsWithoutAutostartGetTheirOwnLine) {
    EXPECT_EQ(
        CompositorStartLine("sway", "/usr/bin/quillaby").rfind("exec /usr/bin/quillaby --idle-watch", 0), 0u);
    EXPECT_EQ(CompositorStartLine("Hyprland", "/usr/bin/quillaby").rfind("exec-once = ", 0), 0u);
    EXPECT_EQ(CompositorStartLine("river", "/usr/bin/quillaby").rfind("riverctl spawn", 0), 0u);
    EXPECT_EQ(CompositorStartLine("ubuntu:GNOME", "/usr/bin/quillaby"), "");
    EXPECT_EQ(CompositorStartLine("KDE", "/usr/bin/quillaby"), "");
}

} // namespace
