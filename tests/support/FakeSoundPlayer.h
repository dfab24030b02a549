#pragma once
// A sound player that records what it was asked to do and can be told to fail.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/SoundPlayer.h"

namespace quillaby::test {

class FakeSoundPlayer final : public platform::SoundPlayer {
  public:
    void PlayLoop(std::span<const std::byte> wave) override {
        calls.push_back("PlayLoop");
        if (onPlay) onPlay();
        playing = wave.data();
        playingSize = wave.size();
    }
    void Stop() override {
        calls.push_back("Stop");
        if (onStop) onStop();
        playing = nullptr;
        playingSize = 0;
    }

    std::vector<std::string> calls;
    const std::byte* playing = nullptr; // the bytes looping now, or null
    size_t playingSize = 0;
    std::function<void()> onPlay; // runs before a play takes effect; may throw
    std::function<void()> onStop;
};

} // namespace quillaby::test
