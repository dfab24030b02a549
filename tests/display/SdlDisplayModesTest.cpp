// The SDL display-mode layer (Linux): how SDL's pixel formats count as colour depths.
#include <gtest/gtest.h>

#include "platform/sdl/SdlDisplayModes.h"

namespace {

// X's depth 24 in 32-bit pixels is the 32-bit colour the program asks for; packed 24 is not.
TEST(SdlDisplayModeDepth, FourByteTrueColourCountsAs32Bits) {
    using quillaby::platform::SdlDisplayModes;
    EXPECT_EQ(SdlDisplayModes::BitsOf(SDL_PIXELFORMAT_RGB888), 32);
    EXPECT_EQ(SdlDisplayModes::BitsOf(SDL_PIXELFORMAT_ARGB8888), 32);
    EXPECT_EQ(SdlDisplayModes::BitsOf(SDL_PIXELFORMAT_RGB24), 24);
    EXPECT_EQ(SdlDisplayModes::BitsOf(SDL_PIXELFORMAT_RGB565), 16);
    EXPECT_EQ(SdlDisplayModes::BitsOf(SDL_PIXELFORMAT_INDEX8), 8);
}

} // namespace
