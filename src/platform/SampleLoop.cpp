#include "platform/SampleLoop.h"

#include <algorithm>
#include <cstring>

namespace quillaby::platform {

void SampleLoop::Start(std::span<const uint8_t> samples) {
    samples_ = samples;
    position_ = 0;
    playing_ = true;
}

void SampleLoop::Stop() {
    playing_ = false;
    samples_ = {};
    position_ = 0;
}

void SampleLoop::Fill(std::span<uint8_t> out, uint8_t silence) {
    size_t written = 0;
    if (playing_ && !samples_.empty()) {
        while (written < out.size()) {
            const size_t chunk = std::min(out.size() - written, samples_.size() - position_);
            std::memcpy(out.data() + written, samples_.data() + position_, chunk);
            written += chunk;
            position_ += chunk;
            if (position_ == samples_.size()) position_ = 0;
        }
    }
    if (written < out.size()) std::memset(out.data() + written, silence, out.size() - written);
}

} // namespace quillaby::platform
