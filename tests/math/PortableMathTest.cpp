// The system-independent trigonometry agrees with the C library to within rounding, everywhere the
// scene's angles and ratios go.
#include <gtest/gtest.h>

#include <cmath>

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
