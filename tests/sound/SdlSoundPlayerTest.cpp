// The SDL sound player against SDL's "disk" audio driver, which writes the mixed output to a file:
// the file shows exactly what a listener would have heard.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "assets/Resources.h"
#include "base/Error.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "scene/BubbleSound.h"
#include "support/ScopedEnv.h"
#include "support/WaveFile.h"

namespace quillaby::platform {
namespace {

using test::PcmWave;
using test::ScopedEnv;
using test::StereoRamp;

struct Frame {
    int16_t left;
    int16_t right;
    bool operator==(const Frame&) const = default;
};

constexpr uint32_t kRate = 11025;
constexpr int kFramesA = 700; // not a multiple of the callback size, so wraps fall inside a buffer
constexpr int kFramesB = 300;

Frame RampFrame(int16_t base, int frames, size_t index) {
    const int16_t value = static_cast<int16_t>(base + static_cast<int>(index % frames));
    return {value, static_cast<int16_t>(-value)};
}

class DiskOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        FPath = std::filesystem::temp_directory_path() /
                (std::string("quillaby-sound-") + info->name() + "-" + std::to_string(getpid()) + ".raw");
        std::filesystem::remove(FPath);
        FFile.emplace("SDL_DISKAUDIOFILE", FPath.c_str());
    }
    void TearDown() override { std::filesystem::remove(FPath); }

    size_t OutputBytes() const {
        std::error_code error;
        const auto size = std::filesystem::file_size(FPath, error);
        return error ? 0 : static_cast<size_t>(size);
    }

    // Waits until the audio thread has written `frames` more frames (the driver paces itself like
    // a real device). Fails the test rather than hanging if it never does.
    void WaitForFrames(size_t frames) {
        const size_t target = OutputBytes() + frames * sizeof(Frame);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (OutputBytes() < target) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the audio thread wrote nothing";
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::vector<Frame> ReadOutput() const {
        std::ifstream in(FPath, std::ios::binary);
        std::vector<Frame> frames;
        Frame frame{};
        while (in.read(reinterpret_cast<char*>(&frame), sizeof frame)) frames.push_back(frame);
        return frames;
    }

    std::filesystem::path FPath;
    ScopedEnv FDriver{"SDL_AUDIODRIVER", "disk"};
    std::optional<ScopedEnv> FFile;
};

// Reads the output as a sequence of stretches: silence, or a ramp that must start at its first
// frame and continue frame by frame, wrapping at its end.
class OutputReader {
  public:
    explicit OutputReader(std::vector<Frame> frames) : FFrames(std::move(frames)) {}

    size_t SkipSilence() {
        const size_t start = FAt;
        while (FAt < FFrames.size() && FFrames[FAt] == Frame{0, 0}) ++FAt;
        return FAt - start;
    }
    // How many frames of the ramp follow, counted from the ramp's beginning.
    size_t FollowRamp(int16_t base, int frames) {
        const size_t start = FAt;
        while (FAt < FFrames.size() && FFrames[FAt] == RampFrame(base, frames, FAt - start)) ++FAt;
        return FAt - start;
    }
    bool AtEnd() const { return FAt == FFrames.size(); }
    size_t Position() const { return FAt; }

  private:
    std::vector<Frame> FFrames;
    size_t FAt = 0;
};

TEST_F(DiskOutput, LoopsFromTheBeginningEndlesslyAndStopEndsItWithSilence) {
    const auto wave = PcmWave(StereoRamp(kFramesA, 1), 2, kRate);
    {
        auto player = CreateSdlSoundPlayer();
        player->PlayLoop(wave);
        WaitForFrames(3 * kFramesA);
        player->Stop();
        WaitForFrames(2048);
    }
    OutputReader output(ReadOutput());
    output.SkipSilence();
    const size_t played = output.FollowRamp(1, kFramesA);
    EXPECT_GE(played, 2u * kFramesA) << "the loop must wrap to its first frame, more than once";
    EXPECT_GT(output.SkipSilence(), 0u) << "stopping must leave silence";
    EXPECT_TRUE(output.AtEnd()) << "nothing but silence after the stop; stray audio at frame "
                                << output.Position();
}

TEST_F(DiskOutput, NewStartReplacesTheOldLoopAndBeginsAtItsFirstFrame) {
    const auto first = PcmWave(StereoRamp(kFramesA, 1), 2, kRate);
    const auto second = PcmWave(StereoRamp(kFramesB, 5000), 2, kRate);
    {
        auto player = CreateSdlSoundPlayer();
        player->PlayLoop(first);
        WaitForFrames(kFramesA);
        player->PlayLoop(second);
        WaitForFrames(3 * kFramesB + 2048);
        player->Stop();
        WaitForFrames(1024);
    }
    OutputReader output(ReadOutput());
    output.SkipSilence();
    EXPECT_GT(output.FollowRamp(1, kFramesA), 0u);
    output.SkipSilence(); // the switch may fall between two callbacks
    EXPECT_GE(output.FollowRamp(5000, kFramesB), 2u * kFramesB) << "the second sound loops from its start";
    output.SkipSilence();
    EXPECT_TRUE(output.AtEnd()) << "the first sound must never come back; stray audio at frame "
                                << output.Position();
}

// The program's own Microsoft ADPCM sound, looped frame for frame as SDL decodes it.
TEST_F(DiskOutput, LoopsTheProgramsBubblingSoundExactlyAsDecoded) {
    const auto resource = FindBubbleSound(ProgramResources());
    if (!resource) GTEST_SKIP() << "this build carries no bubbling sound";
    const auto wave = std::as_bytes(resource->Bytes());

    SDL_AudioSpec audioSpec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1, &audioSpec,
                             &buffer, &length),
              nullptr)
        << SDL_GetError();
    std::vector<Frame> reference(length / sizeof(Frame));
    std::memcpy(reference.data(), buffer, reference.size() * sizeof(Frame));
    SDL_FreeWAV(buffer);
    ASSERT_EQ(audioSpec.channels, 2);
    ASSERT_EQ(audioSpec.freq, 11025);
    ASSERT_EQ(audioSpec.format, AUDIO_S16);
    ASSERT_GT(reference.size(), 11025u) << "seconds of sound, not a click";

    ScopedEnv fast("SDL_DISKAUDIODELAY", "1"); // one millisecond per callback: faster than real time
    {
        auto player = CreateSdlSoundPlayer();
        player->PlayLoop(wave);
        WaitForFrames(reference.size() * 5 / 2);
        player->Stop();
        WaitForFrames(1024);
    }
    const std::vector<Frame> output = ReadOutput();
    size_t at = 0;
    while (at < output.size() && output[at] == Frame{0, 0}) ++at;
    const size_t start = at;
    while (at < output.size() && output[at] == reference[(at - start) % reference.size()]) ++at;
    EXPECT_GE(at - start, 2 * reference.size()) << "output left the decoded sound at frame " << at - start;
    while (at < output.size() && output[at] == Frame{0, 0}) ++at;
    EXPECT_EQ(at, output.size()) << "silence after the stop";
}

TEST_F(DiskOutput, WithoutADeviceItFallsBackToTheDummyDriverSilently) {
    FFile.emplace("SDL_DISKAUDIOFILE", "/nonexistent-quillaby-dir/out.raw"); // the disk device cannot open
    const auto wave = PcmWave(StereoRamp(kFramesA, 1), 2, kRate);
    auto player = CreateSdlSoundPlayer();
    EXPECT_NO_THROW(player->PlayLoop(wave));
    ASSERT_NE(SDL_GetCurrentAudioDriver(), nullptr);
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
    EXPECT_NO_THROW(player->Stop());
    EXPECT_NO_THROW(player->PlayLoop(wave)) << "and keeps working on the fallback";
    EXPECT_FALSE(std::filesystem::exists("/nonexistent-quillaby-dir"));
}

TEST(SdlSoundPlayer, RefusesBytesThatAreNotAWaveFileAndStaysUsable) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    auto player = CreateSdlSoundPlayer();
    std::vector<std::byte> garbage(64, std::byte{0x5A});
    try {
        player->PlayLoop(garbage);
        FAIL() << "garbage was accepted";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("Sound error"), std::string::npos) << error.what();
    }
    auto truncated = PcmWave(StereoRamp(kFramesA, 1), 2, kRate);
    truncated.resize(20); // cut inside the format chunk
    EXPECT_THROW(player->PlayLoop(truncated), Error);
    EXPECT_THROW(player->PlayLoop({}), Error);
    EXPECT_NO_THROW(player->PlayLoop(PcmWave(StereoRamp(10, 1), 2, kRate)));
    EXPECT_NO_THROW(player->PlayLoop(PcmWave({}, 2, kRate))) << "a wave without samples is silence";
}

} // namespace
} // namespace quillaby::platform
