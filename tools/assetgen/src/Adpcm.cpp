// Microsoft ADPCM: per block and channel a predictor pair index, a step size and two raw
// samples, then one 4-bit code per sample (left in the high nibble, right in the low one).
#include "Sound.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace assetgen {

namespace {

constexpr std::array<int, 16> kAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                             768, 614, 512, 409, 307, 230, 230, 230};
constexpr std::array<std::array<int, 2>, 7> kCoefficients = {
    {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}};

struct ChannelState {
    int predictor = 0; // index into kCoefficients
    int delta = 16;
    int sample1 = 0, sample2 = 0; // last and second-to-last output
};

// Decodes one nibble, updating the state; returns the new sample.
int decodeNibble(ChannelState& s, int nibble) {
    const auto& c = kCoefficients[s.predictor];
    int predicted = (s.sample1 * c[0] + s.sample2 * c[1]) / 256;
    int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
    int sample = static_cast<int>(
        std::clamp<long long>(predicted + static_cast<long long>(signedNibble) * s.delta, -32768, 32767));
    // Computed wide: a run of extreme codes can grow the step past what int holds.
    long long next = static_cast<long long>(kAdaptation[nibble]) * s.delta / 256;
    s.delta = static_cast<int>(std::clamp<long long>(next, 16, 0x7FFFFFFF));
    s.sample2 = s.sample1;
    s.sample1 = sample;
    return sample;
}

int chooseNibble(const ChannelState& s, int target) {
    const auto& c = kCoefficients[s.predictor];
    int predicted = (s.sample1 * c[0] + s.sample2 * c[1]) / 256;
    int error = target - predicted;
    int code = error >= 0 ? (error + s.delta / 2) / s.delta : -((-error + s.delta / 2) / s.delta);
    code = std::clamp(code, -8, 7);
    return code & 0x0F;
}

// The start state of one channel of a block for predictor `p`: the first two samples are stored
// raw; the step starts from the typical size of the prediction error that follows.
ChannelState startState(const std::vector<int>& samples, int p) {
    ChannelState s;
    s.predictor = p;
    s.sample2 = samples[0];
    s.sample1 = samples[1];
    const auto& c = kCoefficients[p];
    long sum = 0;
    int n = 0;
    for (std::size_t i = 2; i < samples.size() && n < 8; ++i, ++n) {
        int predicted = (samples[i - 1] * c[0] + samples[i - 2] * c[1]) / 256;
        sum += std::abs(samples[i] - predicted);
    }
    // The block header stores the step in 16 bits.
    s.delta = std::clamp(static_cast<int>(n ? sum / n / 4 : 16), 16, 0x7FFF);
    return s;
}

// Encodes one channel's samples with state `s`; returns the squared error and fills `codes`.
long long encodeChannel(ChannelState s, const std::vector<int>& samples, std::vector<int>& codes) {
    long long error = 0;
    codes.clear();
    for (std::size_t i = 2; i < samples.size(); ++i) {
        int code = chooseNibble(s, samples[i]);
        int decoded = decodeNibble(s, code);
        long long d = decoded - samples[i];
        error += d * d;
        codes.push_back(code);
    }
    return error;
}

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

int get16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

} // namespace

std::vector<std::uint8_t> encodeAdpcmWave(const std::vector<std::int16_t>& interleaved) {
    const int frames = static_cast<int>(interleaved.size() / kSoundChannels);
    const int blocks = (frames + kAdpcmSamplesPerBlock - 1) / kAdpcmSamplesPerBlock;
    std::vector<std::uint8_t> data;
    for (int b = 0; b < blocks; ++b) {
        std::array<ChannelState, kSoundChannels> states;
        std::array<std::vector<int>, kSoundChannels> codes;
        for (int ch = 0; ch < kSoundChannels; ++ch) {
            // A short last block is padded with silence after the final sample.
            std::vector<int> samples(kAdpcmSamplesPerBlock, 0);
            for (int i = 0; i < kAdpcmSamplesPerBlock; ++i) {
                int frame = b * kAdpcmSamplesPerBlock + i;
                if (frame < frames) samples[i] = interleaved[frame * kSoundChannels + ch];
            }
            long long best = std::numeric_limits<long long>::max();
            std::vector<int> trial;
            for (int p = 0; p < static_cast<int>(kCoefficients.size()); ++p) {
                ChannelState s = startState(samples, p);
                long long error = encodeChannel(s, samples, trial);
                if (error < best) {
                    best = error;
                    states[ch] = s;
                    codes[ch] = trial;
                }
            }
        }
        for (int ch = 0; ch < kSoundChannels; ++ch)
            data.push_back(static_cast<std::uint8_t>(states[ch].predictor));
        for (int ch = 0; ch < kSoundChannels; ++ch) put16(data, states[ch].delta);
        for (int ch = 0; ch < kSoundChannels; ++ch) put16(data, states[ch].sample1);
        for (int ch = 0; ch < kSoundChannels; ++ch) put16(data, states[ch].sample2);
        for (std::size_t i = 0; i < codes[0].size(); ++i)
            data.push_back(static_cast<std::uint8_t>((codes[0][i] << 4) | codes[1][i]));
    }

    std::vector<std::uint8_t> out;
    const std::uint32_t fmtSize = 18 + 4 + 7 * 4; // WAVEFORMATEX + samples per block + count + pairs
    putTag(out, "RIFF");
    put32(out, 4 + 8 + fmtSize + 8 + 4 + 8 + static_cast<std::uint32_t>(data.size()));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, fmtSize);
    put16(out, 2); // Microsoft ADPCM
    put16(out, kSoundChannels);
    put32(out, kSoundRate);
    put32(out, 44100); // average bytes per second, as the sound resource has always declared
    put16(out, kAdpcmBlockAlign);
    put16(out, 4);
    put16(out, 4 + 7 * 4); // extra bytes
    put16(out, kAdpcmSamplesPerBlock);
    put16(out, static_cast<int>(kCoefficients.size()));
    for (const auto& c : kCoefficients) {
        put16(out, c[0]);
        put16(out, c[1]);
    }
    putTag(out, "fact");
    put32(out, 4);
    put32(out, static_cast<std::uint32_t>(frames));
    putTag(out, "data");
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<std::int16_t> decodeAdpcmBlocks(const std::uint8_t* data, std::size_t size) {
    std::vector<std::int16_t> out;
    for (std::size_t offset = 0; offset + kAdpcmBlockAlign <= size; offset += kAdpcmBlockAlign) {
        const std::uint8_t* p = data + offset;
        std::array<ChannelState, kSoundChannels> s;
        for (int ch = 0; ch < kSoundChannels; ++ch) {
            s[ch].predictor = std::min<int>(p[ch], kCoefficients.size() - 1);
            s[ch].delta = get16(p + 2 + 2 * ch);
            s[ch].sample1 = get16(p + 6 + 2 * ch);
            s[ch].sample2 = get16(p + 10 + 2 * ch);
        }
        for (int ch = 0; ch < kSoundChannels; ++ch) out.push_back(static_cast<std::int16_t>(s[ch].sample2));
        for (int ch = 0; ch < kSoundChannels; ++ch) out.push_back(static_cast<std::int16_t>(s[ch].sample1));
        for (int i = 7 * kSoundChannels; i < kAdpcmBlockAlign; ++i) {
            out.push_back(static_cast<std::int16_t>(decodeNibble(s[0], p[i] >> 4)));
            out.push_back(static_cast<std::int16_t>(decodeNibble(s[1], p[i] & 0x0F)));
        }
    }
    return out;
}

} // namespace assetgen
