#pragma once
// The bubbling water that loops while the scene runs, unless the user has switched sound off.
#include <cstddef>
#include <span>

namespace quillaby::platform {
class SoundPlayer;
class MessageBox;
} // namespace quillaby::platform

namespace quillaby {

// The name of the wave resource the sound is played from.
inline constexpr const char* kBubbleSoundResource = "SBUBLES";

class BubbleSound {
  public:
    // `wave` is the whole "SBUBLES" wave file; empty when the resource is missing, which leaves the
    // scene silent. The player, the message box and the bytes must outlive this object.
    BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                std::span<const std::byte> wave);
    BubbleSound(const BubbleSound&) = delete;
    BubbleSound& operator=(const BubbleSound&) = delete;

    // Ends whatever this program plays. The scene's teardown calls it; destroying this object does not.
    void StopSound();
    // Stops, then loops the bubbles from their beginning without waiting; starting twice never layers
    // two loops.
    void PlayBubbles();
    // Plays or stops according to `soundEnabled`. A failure is shown in an error box and switches the
    // option off; the silent abort passes without a message; anything not derived from std::exception
    // reaches the caller.
    void ApplySound(bool& soundEnabled);

  private:
    platform::SoundPlayer& player_;
    platform::MessageBox& messages_;
    std::span<const std::byte> wave_;
};

} // namespace quillaby
