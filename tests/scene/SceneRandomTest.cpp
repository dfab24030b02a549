// The process-wide generator: uniform, reproducible from a seed.
#include <gtest/gtest.h>

#include <array>

#include "scene/SceneRandom.h"

using quillaby::scene::UniformRandom;

TEST(SceneRandom, TheSameSeedGivesTheSameSequenceAndAnotherSeedAnother) {
    UniformRandom a(42), b(42), c(43);
    int differences = 0;
    for (int i = 0; i < 100; ++i) {
        const double x = a.Next();
        EXPECT_EQ(x, b.Next());
        differences += x != c.Next();
    }
    EXPECT_GT(differences, 95);
}

TEST(SceneRandom, NumbersAreUniformInTheUnitInterval) {
    UniformRandom r(7);
    std::array<int, 10> buckets{};
    double sum = 0;
    const int n = 100000;
    for (int i = 0; i < n; ++i) {
        const double x = r.Next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        sum += x;
        ++buckets[static_cast<int>(x * 10)];
    }
    EXPECT_NEAR(sum / n, 0.5, 0.01);
    for (int count : buckets) EXPECT_NEAR(count, n / 10, n / 100);
}

TEST(SceneRandom, IntegersCoverZeroToNMinusOne) {
    UniformRandom r(9);
    std::array<int, 30> seen{};
    for (int i = 0; i < 30000; ++i) {
        const int k = r.NextBelow(30);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 30);
        ++seen[k];
    }
    for (int count : seen) EXPECT_GT(count, 800);
    EXPECT_EQ(r.NextBelow(0), 0);
    EXPECT_EQ(r.NextBelow(-5), 0);
}

TEST(SceneRandom, SeedingTheProcessGeneratorRestartsItsSequence) {
    quillaby::scene::SeedRandom(5);
    const double first = quillaby::scene::Random();
    const int second = quillaby::scene::Random(1000);
    quillaby::scene::SeedRandom(5);
    EXPECT_EQ(quillaby::scene::Random(), first);
    EXPECT_EQ(quillaby::scene::Random(1000), second);
}
