#include <gtest/gtest.h>

#include <vector>

#include "platform/SampleLoop.h"

namespace quillaby::platform {
namespace {

const std::vector<uint8_t> kSamples{1, 2, 3, 4, 5};

std::vector<uint8_t> Next(SampleLoop& loop, size_t count, uint8_t silence = 0) {
    std::vector<uint8_t> out(count, 0xEE);
    loop.Fill(out, silence);
    return out;
}

TEST(SampleLoop, WrapsToTheBeginningInsideOneBufferAndAcrossBuffers) {
    SampleLoop loop;
    loop.Start(kSamples);
    EXPECT_EQ(Next(loop, 12), (std::vector<uint8_t>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2}));
    EXPECT_EQ(Next(loop, 4), (std::vector<uint8_t>{3, 4, 5, 1}));
    EXPECT_EQ(Next(loop, 2), (std::vector<uint8_t>{2, 3}));
    EXPECT_TRUE(loop.Playing());
}

TEST(SampleLoop, StartingAgainBeginsAtTheFirstByteWhereverTheLoopWas) {
    SampleLoop loop;
    loop.Start(kSamples);
    Next(loop, 3);
    const std::vector<uint8_t> other{9, 8, 7};
    loop.Start(other);
    EXPECT_EQ(Next(loop, 5), (std::vector<uint8_t>{9, 8, 7, 9, 8}));
    loop.Start(kSamples);
    EXPECT_EQ(Next(loop, 2), (std::vector<uint8_t>{1, 2}));
}

TEST(SampleLoop, StoppedOrEmptyWritesOnlySilence) {
    SampleLoop loop;
    EXPECT_EQ(Next(loop, 3, 0x80), (std::vector<uint8_t>{0x80, 0x80, 0x80})) << "never started";

    loop.Start(kSamples);
    Next(loop, 2);
    loop.Stop();
    EXPECT_FALSE(loop.Playing());
    EXPECT_EQ(Next(loop, 4), (std::vector<uint8_t>{0, 0, 0, 0}));

    loop.Start({});
    EXPECT_EQ(Next(loop, 4, 7), (std::vector<uint8_t>{7, 7, 7, 7}))
        << "an empty sound is silence, not a hang";
}

} // namespace
} // namespace quillaby::platform
