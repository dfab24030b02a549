#pragma once
// Builds small RIFF WAVE files in memory for sound tests.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillaby::test {

// A 16-bit PCM wave file; `samples` are interleaved by channel.
inline std::vector<std::byte> PcmWave(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate) {
    std::vector<std::byte> out;
    auto bytes = [&](uint32_t value, int count) {
        for (int i = 0; i < count; ++i) out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFFu));
    };
    auto tag = [&](std::string_view text) {
        for (char c : text) out.push_back(static_cast<std::byte>(c));
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    const uint16_t blockAlign = static_cast<uint16_t>(channels * 2);
    tag("RIFF");
    bytes(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    bytes(16, 4);
    bytes(1, 2); // PCM
    bytes(channels, 2);
    bytes(rate, 4);
    bytes(rate * blockAlign, 4);
    bytes(blockAlign, 2);
    bytes(16, 2);
    tag("data");
    bytes(dataBytes, 4);
    for (int16_t s : samples) bytes(static_cast<uint16_t>(s), 2);
    return out;
}

// A stereo ramp of `frames` frames: frame i holds base + i on the left and -(base + i) on the right,
// so every frame is told apart from silence and from its neighbours.
inline std::vector<int16_t> StereoRamp(int frames, int16_t base) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(static_cast<int16_t>(base + i));
        samples.push_back(static_cast<int16_t>(-(base + i)));
    }
    return samples;
}

} // namespace quillaby::test
