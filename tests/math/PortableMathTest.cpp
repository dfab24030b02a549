// The system-independent trigonometry agrees with the C library to within rounding, everywhere the
// scene's angles and ratios go.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "math/PortableMath.h"

namespace portable = quillaby::portable;

TEST(PortableMath, AgreesWithTheCLibraryWithinRounding) {
    for (double x = -100; x <= 100; x += 0.0137) {
        EXPECT_NEAR(portable::Sin(x), std::sin(x), 4e-16) << x;
        EXPECT_NEAR(portable::Cos(x), std::cos(x), 4e-16) << x;
        EXPECT_NEAR(portable::Atan(x), std::atan(x), 4e-16) << x;
        if (std::fabs(std::cos(x)) > 1e-3) {
            EXPECT_NEAR(portable::Tan(x) / std::tan(x), 1.0, 1e-14) << x;
        }
    }
    EXPECT_DOUBLE_EQ(portable::Atan(1), std::atan(1.0));
    EXPECT_TRUE(std::isnan(portable::Atan(std::nan(""))));
    EXPECT_DOUBLE_EQ(portable::Atan(HUGE_VAL), std::atan(HUGE_VAL));
}

TEST(PortableMath, IntegralPowersMultiplyOut) {
    EXPECT_EQ(portable::Pow(2, 100), std::ldexp(1.0, 100));
    EXPECT_EQ(portable::Pow(0.5, -3), 8);
    EXPECT_EQ(portable::Pow(0, 100), 0);
    EXPECT_EQ(portable::Pow(7, 0), 1);
    // Squaring rounds at each of its steps: a few units in the last place for the scene's 100.
    EXPECT_NEAR(portable::Pow(0.9, 100) / std::pow(0.9, 100), 1.0, 1e-14);
    EXPECT_DOUBLE_EQ(portable::Pow(2, 0.5), std::sqrt(2.0)); // not integral: the C library's
}

// Every result's bits, folded into one checksum over a million arguments: the scene's angles in
// radians and degrees-made-radians, tiny ones, signed zeros, and large and random ones. The checksum
// was taken from the first version of these functions; a faster one must give the same pictures,
// and the Windows build runs this test too, so it also pins the two systems to one another.
TEST(PortableMath, GivesTheSameBitsAsEver) {
    uint64_t hash = 1469598103934665603ull; // FNV-1a over each result's 8 bytes
    auto fold = [&hash](double v) {
        uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i) hash = (hash ^ ((bits >> (8 * i)) & 0xff)) * 1099511628211ull;
    };
    auto all = [&fold](double x) {
        double s = 0, c = 0;
        portable::SinCos(x, s, c);
        fold(portable::Sin(x));
        fold(portable::Cos(x));
        fold(s);
        fold(c);
        fold(portable::Tan(x));
        fold(portable::Atan(x));
    };
    for (double x :
         {0.0, -0.0, 1e-300, -1e-300, 1e-9, M_PI / 4, -M_PI / 4, M_PI / 2, M_PI, 1e6, -1e6, 3e15, -4e15})
        all(x);
    for (int i = -200000; i <= 200000; ++i) all(i * 0.00073); // +-146 radians
    for (int d = -36000; d <= 36000; ++d) all(static_cast<float>(d * 0.01f) * 0.0174532924f);
    std::mt19937_64 random(24);
    for (int i = 0; i < 300000; ++i) {
        const uint64_t r = random();
        all(std::ldexp(static_cast<double>(r >> 11), -53 + static_cast<int>(r & 31)) - 0.5); // up to 2^31
    }
    EXPECT_EQ(hash, 18297564694257997012ull);
}
