#pragma once
// The bubbling-water loop: synthesis into 16-bit PCM, and the Microsoft ADPCM wave writer.
#include <cstdint>
#include <vector>

namespace assetgen {

constexpr int kSoundRate = 11025; // samples per second
constexpr int kSoundChannels = 2;
constexpr int kAdpcmBlockAlign = 512; // bytes per block
constexpr int kAdpcmSamplesPerBlock = 2 + (kAdpcmBlockAlign - 7 * kSoundChannels) * 2 / kSoundChannels; // 500
constexpr int kSoundBlocks = 99; // 49500 frames, about 4.5 seconds
constexpr int kSoundFrames = kSoundBlocks * kAdpcmSamplesPerBlock;

// Interleaved stereo PCM, kSoundFrames frames, that loops without a click: every sound event
// that runs past the end continues at the start.
std::vector<std::int16_t> synthesiseBubbles();

// A complete RIFF WAVE file of `frames` interleaved stereo frames in Microsoft ADPCM
// (format tag 2, 4 bits per sample, the seven standard predictor pairs).
std::vector<std::uint8_t> encodeAdpcmWave(const std::vector<std::int16_t>& interleaved);

// The decoder the encoder models, for checking: interleaved 16-bit frames from the wave's data.
std::vector<std::int16_t> decodeAdpcmBlocks(const std::uint8_t* data, std::size_t size);

} // namespace assetgen
