// The bubbling sound: the wave header the sound resource has always had, a Microsoft ADPCM
// stream that SDL's decoder turns back into the synthesised signal, and a loop without a click.
#include "GeneratedAssets.h"
#include "Sound.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace assettest;

namespace {

int le16(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Offset of the chunk's contents, or 0 when absent.
std::size_t findChunk(const Bytes& wave, const char* id, std::uint32_t& size) {
    for (std::size_t at = 12; at + 8 <= wave.size(); at += 8 + ((le32(wave, at + 4) + 1) & ~1u)) {
        if (std::equal(id, id + 4, wave.begin() + static_cast<std::ptrdiff_t>(at))) {
            size = le32(wave, at + 4);
            return at + 8;
        }
    }
    return 0;
}

std::vector<std::int16_t> decodeWithSdl(const Bytes& wave) {
    SDL_AudioSpec audioSpec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1, &audioSpec,
                        &buffer, &length)) {
        ADD_FAILURE() << "SDL could not decode: " << SDL_GetError();
        return {};
    }
    EXPECT_EQ(audioSpec.freq, 11025);
    EXPECT_EQ(audioSpec.channels, 2);
    EXPECT_EQ(audioSpec.format, AUDIO_S16SYS);
    std::vector<std::int16_t> samples(length / 2);
    std::memcpy(samples.data(), buffer, samples.size() * 2);
    SDL_FreeWAV(buffer);
    return samples;
}

double snrDb(const std::vector<std::int16_t>& reference, const std::vector<std::int16_t>& decoded) {
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        signal += static_cast<double>(reference[i]) * reference[i];
        double d = static_cast<double>(decoded[i]) - reference[i];
        noise += d * d;
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

} // namespace

TEST(SoundFile, HeaderCarriesTheFieldsOfTheSoundResource) {
    const Bytes& wave = asset("SBUBLES.wav");
    ASSERT_GT(wave.size(), 100u);
    EXPECT_TRUE(std::equal(wave.begin(), wave.begin() + 4, "RIFF"));
    EXPECT_EQ(le32(wave, 4), wave.size() - 8);
    EXPECT_TRUE(std::equal(wave.begin() + 8, wave.begin() + 12, "WAVE"));
    std::uint32_t size = 0;
    std::size_t fmt = findChunk(wave, "fmt ", size);
    ASSERT_NE(fmt, 0u);
    EXPECT_EQ(le16(wave, fmt + 0), 2);      // Microsoft ADPCM
    EXPECT_EQ(le16(wave, fmt + 2), 2);      // channels
    EXPECT_EQ(le32(wave, fmt + 4), 11025u); // samples per second
    EXPECT_EQ(le32(wave, fmt + 8), 44100u); // average bytes per second
    EXPECT_EQ(le16(wave, fmt + 12), 512);   // block align
    EXPECT_EQ(le16(wave, fmt + 14), 4);     // bits per sample
    EXPECT_EQ(le16(wave, fmt + 16), 32);    // extra bytes
    EXPECT_EQ(le16(wave, fmt + 18), 500);   // samples per block
    ASSERT_EQ(le16(wave, fmt + 20), 7);
    const int coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                    {240, 0}, {460, -208}, {392, -232}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(le16(wave, fmt + 22 + 4 * i), coefficients[i][0]);
        EXPECT_EQ(le16(wave, fmt + 24 + 4 * i), coefficients[i][1]);
    }
    std::size_t data = findChunk(wave, "data", size);
    ASSERT_NE(data, 0u);
    EXPECT_EQ(size % 512, 0u);
    double seconds = size / 512.0 * 500 / 11025;
    EXPECT_GT(seconds, 4.0);
    EXPECT_LT(seconds, 5.0);
}

TEST(SoundFile, SdlDecodesTheSynthesisedSignalFaithfully) {
    std::vector<std::int16_t> pcm = assetgen::synthesiseBubbles();
    std::vector<std::int16_t> decoded = decodeWithSdl(asset("SBUBLES.wav"));
    ASSERT_EQ(decoded.size(), pcm.size());
    EXPECT_GT(snrDb(pcm, decoded), 22.0); // measured: 25 dB
}

TEST(SoundFile, LoopsWithoutAJumpAtTheSeam) {
    std::vector<std::int16_t> decoded = decodeWithSdl(asset("SBUBLES.wav"));
    ASSERT_GT(decoded.size(), 1000u);
    const std::size_t frames = decoded.size() / 2;
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<int> steps;
        for (std::size_t i = 1; i < frames; ++i)
            steps.push_back(std::abs(decoded[i * 2 + ch] - decoded[(i - 1) * 2 + ch]));
        std::sort(steps.begin(), steps.end());
        int typical = steps[steps.size() * 99 / 100];
        int seam = std::abs(decoded[ch] - decoded[(frames - 1) * 2 + ch]);
        EXPECT_LE(seam, typical) << "channel " << ch;
        EXPECT_GT(typical, 0) << "the sound is not silent";
    }
}

TEST(AdpcmEncoder, ModelDecoderAgreesWithSdlAndAShortLastBlockIsPadded) {
    // 1.3 blocks of a two-tone signal: the last block is filled with silence.
    std::vector<std::int16_t> pcm;
    for (int i = 0; i < 650; ++i) {
        pcm.push_back(static_cast<std::int16_t>(9000 * std::sin(i * 0.11)));
        pcm.push_back(static_cast<std::int16_t>(6000 * std::sin(i * 0.37 + 1)));
    }
    Bytes wave = assetgen::encodeAdpcmWave(pcm);
    std::uint32_t size = 0;
    std::size_t data = findChunk(wave, "data", size);
    ASSERT_EQ(size, 2u * 512u);
    std::vector<std::int16_t> ours = assetgen::decodeAdpcmBlocks(wave.data() + data, size);
    std::vector<std::int16_t> sdl = decodeWithSdl(wave);
    ASSERT_GE(sdl.size(), pcm.size());
    ASSERT_GE(ours.size(), pcm.size());
    for (std::size_t i = 0; i < pcm.size(); ++i) ASSERT_EQ(ours[i], sdl[i]) << "sample " << i;
    EXPECT_GT(snrDb(pcm, std::vector<std::int16_t>(ours.begin(), ours.begin() + pcm.size())), 25.0);
}
