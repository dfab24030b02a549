// The watcher's rounds against a scripted desktop: when the saver starts, when it is ended, and
// that the watcher always ends its saver before it goes.
#include <gtest/gtest.h>

#include <deque>

#include "app/IdleWatcher.h"

using namespace quillaby;
using platform::IdleEvent;

namespace {

class ScriptedDesktop final : public platform::IdleDesktop {
  public:
    explicit ScriptedDesktop(std::deque<IdleEvent> script) : FScript(std::move(script)) {}
    std::string SourceName() const override { return "script"; }
    IdleEvent Next() override {
        // An ended script stands for the session going, so a wrong loop cannot spin for ever.
        if (FScript.empty()) return IdleEvent::SessionGone;
        const IdleEvent next = FScript.front();
        FScript.pop_front();
        if (next == IdleEvent::SaverEnded) FRunning = false;
        return next;
    }
    bool StartSaver(const std::string&, const std::vector<std::string>&, std::string& whyNot) override {
        ++starts;
        if (failStarts > 0) {
            --failStarts;
            whyNot = "No such file or directory";
            return false;
        }
        FRunning = true;
        return true;
    }
    bool SaverRunning() const override { return FRunning; }
    int SaverExitCode() const override { return 0; }
    void StopSaver() override {
        if (FRunning) ++stops;
        FRunning = false;
    }
    std::optional<int> DesktopBlankSeconds() override { return std::nullopt; }

    int starts = 0;
    int stops = 0;
    int failStarts = 0;

  private:
    std::deque<IdleEvent> FScript;
    bool FRunning = false;
};

struct Outcome {
    int starts, stops;
    std::vector<std::string> said;
};

Outcome Watch(std::deque<IdleEvent> script, int failStarts = 0) {
    ScriptedDesktop desktop(std::move(script));
    desktop.failStarts = failStarts;
    std::vector<std::string> said;
    app::IdleWatcher watcher(desktop, {"/x/quillaby.scr", "/s"},
                             [&](const std::string& s) { said.push_back(s); });
    EXPECT_EQ(watcher.Run(), 0);
    EXPECT_FALSE(desktop.SaverRunning()) << "the watcher left its saver running";
    return {desktop.starts, desktop.stops, said};
}

TEST(IdleWatcher, StartsOnceASpellAndAgainAfterTheSaverEnded) {
    const Outcome o = Watch({IdleEvent::Idle, IdleEvent::Idle, IdleEvent::Active, IdleEvent::SaverEnded,
                             IdleEvent::Idle, IdleEvent::Stop});
    EXPECT_EQ(o.starts, 2);
    EXPECT_EQ(o.stops, 1); // the second saver, at the stop request
    EXPECT_EQ(o.said.back(), "stopped");
}

TEST(IdleWatcher, TheDesktopsShieldEndsTheSaverAndKeepsTheNextOneBack) {
    const Outcome o = Watch({IdleEvent::Idle, IdleEvent::ShieldUp, IdleEvent::Active, IdleEvent::Idle,
                             IdleEvent::ShieldDown, IdleEvent::Active, IdleEvent::Idle});
    EXPECT_EQ(o.starts, 2); // none while the shield was up
    EXPECT_EQ(o.stops, 2);  // the shield's, then the session's end
    EXPECT_EQ(o.said.front(), "the desktop blanked the screen: the saver ends");
    EXPECT_EQ(o.said.back(), "the session has ended");
}

TEST(IdleWatcher, ASaverThatCannotStartIsSaidAndTriedAtTheNextSpell) {
    const Outcome o = Watch({IdleEvent::Idle, IdleEvent::Active, IdleEvent::Idle}, 1);
    EXPECT_EQ(o.starts, 2);
    ASSERT_FALSE(o.said.empty());
    EXPECT_EQ(o.said.front(),
              "cannot start the saver \"/x/quillaby.scr\": No such file or directory; trying again "
              "at the next idle spell");
}

} // namespace
