#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "scene/BubbleSound.h"
#include "support/FakeMessageBox.h"
#include "support/FakeSoundPlayer.h"
#include "support/ScopedEnv.h"
#include "support/WaveFile.h"

namespace quillaby {
namespace {

using platform::MessageIcon;
using Calls = std::vector<std::string>;

class BubbleSoundTest : public ::testing::Test {
  protected:
    std::vector<std::byte> FWave = test::PcmWave(test::StereoRamp(100, 1), 2, 11025);
    test::FakeSoundPlayer FPlayer;
    test::FakeMessageBox FMessages;
    BubbleSound FSound{FPlayer, FMessages, FWave};
};

TEST_F(BubbleSoundTest, EnabledLoopsTheWholeWaveAfterStoppingTheOldSound) {
    bool enabled = true;
    FSound.ApplySound(enabled);
    EXPECT_EQ(FPlayer.calls, (Calls{"Stop", "PlayLoop"}));
    EXPECT_EQ(FPlayer.playing, FWave.data());
    EXPECT_EQ(FPlayer.playingSize, FWave.size());
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(FMessages.shown.empty());
}

TEST_F(BubbleSoundTest, DisabledOnlyStopsAndSwitchingBackOnStartsAgain) {
    bool enabled = false;
    FSound.ApplySound(enabled);
    EXPECT_EQ(FPlayer.calls, (Calls{"Stop"}));
    EXPECT_EQ(FPlayer.playing, nullptr);

    enabled = true;
    FSound.ApplySound(enabled);
    enabled = false;
    FSound.ApplySound(enabled);
    EXPECT_EQ(FPlayer.playing, nullptr) << "switching off stops the loop";
    enabled = true;
    FSound.ApplySound(enabled);
    EXPECT_EQ(FPlayer.calls, (Calls{"Stop", "Stop", "PlayLoop", "Stop", "Stop", "PlayLoop"}));
    EXPECT_EQ(FPlayer.playing, FWave.data());
    EXPECT_TRUE(enabled);
}

TEST_F(BubbleSoundTest, MissingResourceStaysSilentWithoutAMessage) {
    BubbleSound silent(FPlayer, FMessages, {});
    bool enabled = true;
    silent.ApplySound(enabled);
    EXPECT_EQ(FPlayer.calls, (Calls{"Stop"}));
    EXPECT_TRUE(enabled) << "a missing sound is not a failure";
    EXPECT_TRUE(FMessages.shown.empty());
}

TEST_F(BubbleSoundTest, FailureShowsTheMessageAndSwitchesSoundOff) {
    FPlayer.onPlay = [] { throw Error("Sound error: the wave data cannot be decoded!"); };
    bool enabled = true;
    EXPECT_NO_THROW(FSound.ApplySound(enabled));
    ASSERT_EQ(FMessages.shown.size(), 1u);
    EXPECT_EQ(FMessages.shown[0].text, "Sound error: the wave data cannot be decoded!");
    EXPECT_EQ(FMessages.shown[0].caption, "Ondrel Screen Saver Error!");
    EXPECT_EQ(FMessages.shown[0].icon, MessageIcon::Error);
    EXPECT_FALSE(enabled);

    // Any ordinary exception takes the same path, stopping included.
    FPlayer.onPlay = nullptr;
    FPlayer.onStop = [] { throw std::runtime_error("device lost"); };
    enabled = false;
    FSound.ApplySound(enabled);
    ASSERT_EQ(FMessages.shown.size(), 2u);
    EXPECT_EQ(FMessages.shown[1].text, "device lost");
    EXPECT_FALSE(enabled);
}

TEST_F(BubbleSoundTest, SilentAbortIsSwallowedAndOtherThrowsPassOn) {
    FPlayer.onPlay = [] { throw Abort(); };
    bool enabled = true;
    EXPECT_NO_THROW(FSound.ApplySound(enabled));
    EXPECT_TRUE(FMessages.shown.empty());
    EXPECT_TRUE(enabled) << "the option changes only on a reported failure";

    FPlayer.onPlay = [] { throw 42; };
    EXPECT_THROW(FSound.ApplySound(enabled), int);
    EXPECT_TRUE(FMessages.shown.empty());
    EXPECT_TRUE(enabled);
}

TEST(BubbleSoundResources, FoundByTheWaveFilesResourceNameOrItsPlainNameWithoutRegardToCase) {
    static const unsigned char wave[] = {'R', 'I', 'F', 'F'};
    static const unsigned char other[] = {1, 2, 3};
    const ResourceEntry asFile[] = {{"dollar.jpg", other, sizeof other}, {"sbubles.WAV", wave, sizeof wave}};
    const ResourceEntry plain[] = {{"Sbubles", wave, sizeof wave}};
    const ResourceEntry none[] = {{"SBUBLES.jpg", other, sizeof other}};

    for (const auto& table :
         {std::span<const ResourceEntry>(asFile), std::span<const ResourceEntry>(plain)}) {
        test::FakeSoundPlayer player;
        test::FakeMessageBox messages;
        BubbleSound sound(player, messages, EmbeddedResources(table));
        sound.PlayBubbles();
        EXPECT_EQ(player.playing, reinterpret_cast<const std::byte*>(wave));
        EXPECT_EQ(player.playingSize, sizeof wave);
    }

    {
        // A failure names what was played, as the other asset errors do.
        test::FakeSoundPlayer player;
        test::FakeMessageBox messages;
        player.onPlay = [] { throw Error("Sound error: the wave data cannot be decoded!"); };
        BubbleSound sound(player, messages, EmbeddedResources(asFile));
        bool enabled = true;
        sound.ApplySound(enabled);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "SBUBLES.wav: Sound error: the wave data cannot be decoded!");
    }

    test::FakeSoundPlayer player;
    test::FakeMessageBox messages;
    BubbleSound sound(player, messages, EmbeddedResources(none));
    bool enabled = true;
    sound.ApplySound(enabled);
    EXPECT_EQ(player.calls, (Calls{"Stop"})) << "no such resource: silence";
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(messages.shown.empty());
}

// The real player under the failure path: a broken resource is reported once, a missing device is not.
TEST(BubbleSoundWithSdl, BrokenWaveIsReportedAndMissingDeviceIsNot) {
    test::ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    test::ScopedEnv file("SDL_DISKAUDIOFILE", "/nonexistent-quillaby-dir/out.raw");
    auto player = platform::CreateSdlSoundPlayer();
    test::FakeMessageBox messages;

    const auto wave = test::PcmWave(test::StereoRamp(100, 1), 2, 11025);
    BubbleSound good(*player, messages, wave);
    bool enabled = true;
    good.ApplySound(enabled);
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(messages.shown.empty());

    const std::vector<std::byte> broken(200, std::byte{0x11});
    BubbleSound bad(*player, messages, broken);
    bad.ApplySound(enabled);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("Sound error", 0), 0u) << messages.shown[0].text;
    EXPECT_FALSE(enabled);
}

} // namespace
} // namespace quillaby
