#include "scene/BubbleSound.h"

#include <exception>

#include "base/Error.h"
#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"

namespace quillaby {

std::optional<ResourceData> FindBubbleSound(const ResourceSource& resources) {
    if (auto wave = resources.Find(ResourceName(kBubbleSoundFile))) return wave;
    return resources.Find(kBubbleSoundResource);
}

BubbleSound::BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                         std::span<const std::byte> wave)
    : player_(player), messages_(messages), wave_(wave) {}

BubbleSound::BubbleSound(platform::SoundPlayer& player, platform::MessageBox& messages,
                         const ResourceSource& resources)
    : player_(player), messages_(messages), owned_(FindBubbleSound(resources)) {
    if (owned_) wave_ = std::as_bytes(owned_->Bytes());
}

void BubbleSound::StopSound() {
    player_.Stop();
}

void BubbleSound::PlayBubbles() {
    StopSound();
    if (wave_.empty()) return; // a missing resource plays nothing and is not reported
    player_.PlayLoop(wave_);
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
        messages_.Show(error.what(), "Ondrel Screen Saver Error!", platform::MessageIcon::Error);
        soundEnabled = false;
    }
}

} // namespace quillaby
