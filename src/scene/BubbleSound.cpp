#include "scene/BubbleSound.h"

#include <exception>

#include "base/Error.h"
#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"

namespace quillaby {

std::optional<ResourceData> FindBubbleSound(const ResourceSource& resources, std::string* foundAs) {
    auto wave = resources.Find(ResourceName(kBubbleSoundFile));
    const char* name = kBubbleSoundFile;
    if (!wave) {
        wave = resources.Find(kBubbleSoundResource);
        name = kBubbleSoundResource;
    }
    if (wave && foundAs) *foundAs = name;
    return wave;
}

BubbleSound::BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                         std::span<const std::byte> wave)
    : FPlayer(player), FMessages(messages), FWave(wave) {}

BubbleSound::BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                         const ResourceSource& resources)
    : FPlayer(player), FMessages(messages), FOwned(FindBubbleSound(resources, &FSource)) {
    if (FOwned) FWave = std::as_bytes(FOwned->Bytes());
}

void BubbleSound::StopSound() {
    FPlayer.Stop();
}

void BubbleSound::PlayBubbles() {
    StopSound();
    if (FWave.empty()) return; // a missing resource plays nothing and is not reported
    FPlayer.PlayLoop(FWave);
}

void BubbleSound::ApplySound(bool& soundEnabled) {
    try {
        if (soundEnabled)
            PlayBubbles();
        else
            StopSound();
    } catch (const Abort&) {
        // the silent abort ends the operation without a message
    } catch (const std::exception& error) {
        // Named like the other asset errors when the wave came from a file or resource we looked up.
        const std::string text = FSource.empty() ? error.what() : FSource + ": " + error.what();
        FMessages.Show(text, "Ondrel Screen Saver Error!", platform::MessageIcon::Error);
        soundEnabled = false;
    }
}

} // namespace quillaby
