// Text lists by name, split into lines, and where the program's own settings read from.
#include <gtest/gtest.h>

#include "assets/StringList.h"

namespace quillaby {
std::span<const ResourceEntry> TestResourceTable();
}

namespace {

TEST(TextLoading, LinesSplitAtEveryKindOfLineBreak) {
    TLoadSettings settings;
    settings.Resources = std::make_shared<quillaby::EmbeddedResources>(quillaby::TestResourceTable());
    std::vector<std::string> lines{"stale"};
    LoadStringsResource("Frames.list.mfl", lines, settings);
    EXPECT_EQ(lines, (std::vector<std::string>{"1 loop", "0.0 first.3dm", "", "0.5 second.3dm"}));
    LoadStringsFile(std::string(QUILLABY_SOURCE_DIR) + "/tests/fixtures/resources/Frames.list.mfl", lines);
    EXPECT_EQ(lines.size(), 4u);

    auto split = [](const std::string& s) {
        return SplitLines(std::span(reinterpret_cast<const unsigned char*>(s.data()), s.size()));
    };
    EXPECT_TRUE(split("").empty());
    EXPECT_EQ(split("a"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split("\n\n"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(split("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(LoadSettings, TheProgramSettingsStartWithFilesAndItsOwnResources) {
    const TLoadSettings& s = LoadSettings();
    EXPECT_FALSE(s.LoadFromResources);
    EXPECT_TRUE(s.ImageDirectory.empty());
    EXPECT_EQ(&s.Source(), &quillaby::ProgramResources());
}

} // namespace
