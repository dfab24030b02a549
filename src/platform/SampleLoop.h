#pragma once
// The playback cursor of an endless loop over one block of sample bytes. It owns no samples and
// takes no locks: the sound player guards it against its audio thread.
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillaby::platform {

class SampleLoop {
  public:
    // Plays `samples` from their first byte; they must outlive the loop's use of them.
    void Start(std::span<const uint8_t> samples);
    // From the next Fill on, only silence.
    void Stop();
    bool Playing() const { return FPlaying; }

    // Writes the next out.size() bytes of the loop, wrapping to its beginning at its end; writes
    // `silence` when stopped or when the samples are empty.
    void Fill(std::span<uint8_t> out, uint8_t silence);

  private:
    std::span<const uint8_t> FSamples;
    size_t FPosition = 0;
    bool FPlaying = false;
};

} // namespace quillaby::platform
