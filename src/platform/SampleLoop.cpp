#include "platform/SampleLoop.h"

#include <algorithm>
#include <cstring>

namespace quillaby::platform {

void SampleLoop::Start(std::span<const uint8_t> samples) {
    FSamples = samples;
    FPosition = 0;
    FPlaying = true;
}

void SampleLoop::Stop() {
    FPlaying = false;
    FSamples = {};
    FPosition = 0;
}

void SampleLoop::Fill(std::span<uint8_t> out, uint8_t silence) {
    size_t written = 0;
    if (FPlaying && !FSamples.empty()) {
        while (written < out.size()) {
            const size_t chunk = std::min(out.size() - written, FSamples.size() - FPosition);
            std::memcpy(out.data() + written, FSamples.data() + FPosition, chunk);
            written += chunk;
            FPosition += chunk;
            if (FPosition == FSamples.size()) FPosition = 0;
        }
    }
    if (written < out.size()) std::memset(out.data() + written, silence, out.size() - written);
}

} // namespace quillaby::platform
