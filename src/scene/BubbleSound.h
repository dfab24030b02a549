#pragma once
// The bubbling water that loops while the scene runs, unless the user has switched sound off.
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "assets/Resources.h"

namespace quillaby::platform {
class SoundPlayer;
class MessageBox;
} // namespace quillaby::platform

namespace quillaby {

// The wave resource the sound is played from: embedded from the file "SBUBLES.wav", so found as
// "SBUBLES_wav"; a resource named plainly "SBUBLES" is taken as well.
inline constexpr const char* kBubbleSoundResource = "SBUBLES";
inline constexpr const char* kBubbleSoundFile = "SBUBLES.wav";

// The bubbling sound's wave file among `resources`; none when it is missing. `foundAs`, if given,
// receives the name it was found under.
std::optional<ResourceData> FindBubbleSound(const ResourceSource& resources, std::string* foundAs = nullptr);

class BubbleSound {
  public:
    // `wave` is the whole "SBUBLES" wave file; empty when the resource is missing, which leaves the
    // scene silent. The player, the message box and the bytes must outlive this object.
    BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                std::span<const std::byte> wave);
    // Looks the wave file up in `resources` (FindBubbleSound) and keeps it.
    BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                const ResourceSource& resources);
    BubbleSound(const BubbleSound&) = delete;
    BubbleSound& operator=(const BubbleSound&) = delete;

    // Ends whatever this program plays. The scene's teardown calls it; destroying this object does not.
    void StopSound();
    // Stops, then loops the bubbles from their beginning without waiting; starting twice never layers
    // two loops.
    void PlayBubbles();
    // Plays or stops according to `soundEnabled`. A failure is shown in an error box and switches the
    // option off (the message starts with the wave's file or resource name when it was looked up
    // here); the silent abort passes without a message; anything not derived from std::exception
    // reaches the caller.
    void ApplySound(bool& soundEnabled);

  private:
    platform::SoundPlayer& FPlayer;
    platform::MessageBox& FMessages;
    std::string FSource;                // the name the wave was found under here, for messages
    std::optional<ResourceData> FOwned; // the wave when it was looked up here
    std::span<const std::byte> FWave;
};

} // namespace quillaby
