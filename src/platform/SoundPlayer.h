#pragma once
// Plays one sound at a time in the background: a complete RIFF WAVE file held in memory,
// looped endlessly until stopped. The frame loop never waits for it.
#include <cstddef>
#include <span>

namespace quillaby::platform {

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;

    // Stops what is playing, then plays `wave` from its beginning, over and over, without waiting.
    // The player keeps what it needs: the same bytes played again are not decoded again. Throws
    // quillaby::Error when the bytes are not a wave file the player can decode. A missing sound device is not
    // an error: the sound then plays silently.
    virtual void PlayLoop(std::span<const std::byte> wave) = 0;

    // Ends the sound at once; does nothing when nothing plays.
    virtual void Stop() = 0;
};

} // namespace quillaby::platform
