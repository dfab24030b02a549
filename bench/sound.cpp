// The cost of the looping sound: the audio callback's copy, and starting a loop with and without
// decoding the wave file again. Runs on SDL's "dummy" audio driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "../tests/support/WaveFile.h"
#include "assets/Resources.h"
#include "platform/SampleLoop.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "scene/BubbleSound.h"

namespace {

using namespace quillaby;

// The program's bubbling sound when it is built in, else a PCM stand-in of similar length.
std::vector<std::byte> BubbleWave() {
    if (auto found = FindBubbleSound(ProgramResources())) {
        const auto bytes = std::as_bytes(found->Bytes());
        return {bytes.begin(), bytes.end()};
    }
    return test::PcmWave(test::StereoRamp(50000, 1), 2, 11025);
}

// One callback's worth: 512 stereo 16-bit frames.
void BM_SampleLoopFill(benchmark::State& state) {
    std::vector<uint8_t> samples(50000 * 4, 7);
    std::vector<uint8_t> out(512 * 4);
    platform::SampleLoop loop;
    loop.Start(samples);
    for (auto _ : state) {
        loop.Fill(out, 0);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
}
BENCHMARK(BM_SampleLoopFill);

// Starting the same loop again: stop, compare with the decoded wave, restart.
void BM_PlayLoopAgain(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const auto wave = BubbleWave();
    auto player = platform::CreateSdlSoundPlayer();
    player->PlayLoop(wave);
    for (auto _ : state) player->PlayLoop(wave);
    player->Stop();
}
BENCHMARK(BM_PlayLoopAgain)->Unit(benchmark::kMicrosecond);

// Starting a different wave each time, so every start decodes.
void BM_PlayLoopDecoding(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const auto first = BubbleWave();
    auto second = first;
    second.push_back(std::byte{0}); // a trailing pad byte: another file, the same sound
    auto player = platform::CreateSdlSoundPlayer();
    bool flip = false;
    for (auto _ : state) {
        player->PlayLoop(flip ? first : second);
        flip = !flip;
    }
    player->Stop();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * first.size()));
}
BENCHMARK(BM_PlayLoopDecoding)->Unit(benchmark::kMicrosecond);

} // namespace
