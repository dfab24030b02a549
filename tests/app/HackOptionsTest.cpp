// The hack-mode command line, and its agreement with the option description XScreenSaver reads.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "app/CommandLine.h"
#include "app/HackOptions.h"

using namespace quillaby::app;

namespace {

std::optional<HackOptions> Parse(std::vector<std::string> args, const char* xscreensaverWindow = nullptr) {
    std::vector<const char*> argv{"quillaby"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    return ParseHackCommandLine(static_cast<int>(argv.size()), argv.data(), xscreensaverWindow);
}

std::string ErrorOf(std::vector<std::string> args, const char* xscreensaverWindow = nullptr) {
    try {
        Parse(std::move(args), xscreensaverWindow);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

} // namespace

TEST(HackOptions, OneOrTwoDashesAndEveryValueForm) {
    EXPECT_FALSE(Parse({"--window", "--theme", "1"}).has_value()) << "not a hack command line";

    const HackOptions defaults = *Parse({"-root"});
    EXPECT_EQ(defaults.Window, 0u);
    EXPECT_EQ(defaults.Theme, 0);
    EXPECT_EQ(defaults.Notes, 60);
    EXPECT_EQ(defaults.Bubbles, 100);
    EXPECT_FALSE(defaults.Sound);
    EXPECT_EQ(defaults.DelayMicroseconds, 30000);
    EXPECT_FALSE(defaults.ShowFrameRate);

    const HackOptions o =
        *Parse({"--window-id", "0x1a00003", "-theme", "2", "--notes", "0", "-bubbles", "7", "-sound",
                "--delay", "0", "-fps", "-max-fps", "30", "--render-scale", "50"});
    EXPECT_EQ(o.Window, 0x1a00003u);
    EXPECT_EQ(o.Theme, 2);
    EXPECT_EQ(o.Notes, 0);
    EXPECT_EQ(o.Bubbles, 7);
    EXPECT_TRUE(o.Sound);
    EXPECT_EQ(o.DelayMicroseconds, 0);
    EXPECT_TRUE(o.ShowFrameRate);
    EXPECT_EQ(o.MaxFps, 30);
    EXPECT_EQ(o.RenderScale, 50);

    EXPECT_EQ(Parse({"-window-id", "4711"})->Window, 4711u);
    EXPECT_TRUE(Parse({"-root", "-theme", "random"})->RandomTheme);
    EXPECT_FALSE(Parse({"-root", "-sound", "--no-sound"})->Sound) << "the last word holds";
    // The daemon names its window in the environment; without it -root means the root window.
    EXPECT_EQ(Parse({"--root"}, "0x400001")->Window, 0x400001u);
    EXPECT_EQ(Parse({"--root"}, "")->Window, 0u);
    EXPECT_EQ(Parse({"-window-id", "77"}, "0x400001")->Window, 77u) << "an explicit window wins";
}

TEST(HackOptions, RefusalsNameWhatIsWrong) {
    EXPECT_EQ(ErrorOf({"-root", "-notes", "101"}), "-notes needs a whole number from 0 to 100, not \"101\"");
    EXPECT_EQ(ErrorOf({"-root", "-bubbles", "-1"}),
              "-bubbles needs a whole number from 0 to 100, not \"-1\"");
    EXPECT_EQ(ErrorOf({"-root", "-delay", "1.5"}),
              "-delay needs a whole number from 0 to 10000000, not \"1.5\"");
    EXPECT_EQ(ErrorOf({"-root", "-render-scale", "20"}),
              "-render-scale needs a whole number from 25 to 100, not \"20\"");
    EXPECT_EQ(ErrorOf({"-root", "-theme", "3"}), "-theme needs 0, 1, 2 or random, not \"3\"");
    EXPECT_EQ(ErrorOf({"-root", "-notes"}), "-notes needs a value");
    EXPECT_EQ(ErrorOf({"-root", "--size", "10x10"}), "unknown argument \"--size\" in hack mode");
    EXPECT_EQ(ErrorOf({"-root", "---fps"}), "unknown argument \"---fps\" in hack mode");
    EXPECT_EQ(ErrorOf({"-root", "-window-id", "5"}), "choose one of -root and -window-id");
    for (const char* id : {"0", "0x", "12ab", "0x20000000", "-5", ""})
        EXPECT_EQ(ErrorOf({"-window-id", id}),
                  std::string("-window-id needs an X window id in decimal or 0x hex, not \"") + id + "\"");
    EXPECT_EQ(ErrorOf({"-root"}, "garbage"),
              "XSCREENSAVER_WINDOW needs an X window id in decimal or 0x hex, not \"garbage\"");
}

// Every command line XScreenSaver's settings can build from quillaby.xml is one the program takes,
// the XML's defaults are the program's, and every hack option is offered there.
TEST(HackOptions, AgreesWithTheXScreenSaverDescription) {
    std::ifstream file(QUILLABY_SOURCE_DIR "/packaging/quillaby.xml");
    ASSERT_TRUE(file) << "packaging/quillaby.xml missing";
    const std::string xml((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    std::smatch m;
    ASSERT_TRUE(std::regex_search(xml, m, std::regex(R"#(<command arg="([^"]*)")#")));
    const std::vector<std::string> command = Words(m[1]);
    const std::optional<HackOptions> base = Parse(command);
    ASSERT_TRUE(base.has_value()) << "the command does not select hack mode";
    EXPECT_EQ(*base, *Parse({"-root"}));

    auto accepted = [&](const std::string& produced) {
        std::vector<std::string> args = command;
        for (const std::string& w : Words(produced)) args.push_back(w);
        return Parse(args);
    };
    std::set<std::string> offered;
    auto offer = [&](const std::string& produced) { offered.insert(Words(produced).front()); };

    int sliders = 0;
    const std::regex number(
        R"#(<number\s[^>]*arg="([^"]*)"[^>]*low="(\d+)"\s+high="(\d+)"\s+default="(\d+)")#");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), number); it != std::sregex_iterator(); ++it) {
        const std::string arg = (*it)[1];
        offer(arg);
        ++sliders;
        for (int i = 2; i <= 4; ++i) {
            const std::string produced = std::regex_replace(arg, std::regex("%"), (*it)[i].str());
            EXPECT_NO_THROW(accepted(produced)) << produced;
        }
        const std::string atDefault = std::regex_replace(arg, std::regex("%"), (*it)[4].str());
        EXPECT_EQ(*accepted(atDefault), *base)
            << "the XML's default differs from the program's: " << atDefault;
    }
    EXPECT_EQ(sliders, 4);

    int switches = 0;
    const std::regex setting(R"#(arg-(?:set|unset)="([^"]*)")#");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), setting); it != std::sregex_iterator();
         ++it) {
        const std::string produced = (*it)[1];
        offer(produced);
        ++switches;
        std::optional<HackOptions> o;
        EXPECT_NO_THROW(o = accepted(produced)) << produced;
        EXPECT_NE(o, base) << produced << " changes nothing";
    }
    EXPECT_EQ(switches, 5);

    // The daemon passes the window itself, and silence is what the unticked sound box means; the
    // daemon paces its hacks with -delay, -max-fps is for a command line written by hand.
    for (const std::string& name : HackOptionNames()) {
        if (name == "window-id" || name == "no-sound" || name == "root" || name == "max-fps") continue;
        EXPECT_TRUE(offered.count("--" + name)) << "--" << name << " is not in quillaby.xml";
    }
}
