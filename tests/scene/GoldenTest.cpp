// Each theme rendered for real (offscreen, through the driver) at 160 x 120 with a fixed seed and
// fixed steps, compared with a reference that was reviewed by eye. Rewrite the references with
//     QUILLABY_UPDATE_GOLDEN=1 build/release/tests/test_scene --gtest_filter='Golden*'
// and look at tests/golden/*.png before committing them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "GoldenImage.h"
#include "app/SceneJobs.h"

namespace {

// Rasterisers may round a texel or an edge differently; the scene itself must not move.
constexpr quillaby::test::ImageTolerance Tolerance{16, 0.01};

class GoldenTest : public ::testing::TestWithParam<int> {};

TEST_P(GoldenTest, ThemeMatchesItsReviewedPicture) {
    quillaby::app::RunOptions options;
    options.Job = quillaby::app::JobKind::Snapshot;
    options.Theme = GetParam();
    options.Width = 160;
    options.Height = 120;
    options.Seed = 11;
    options.Frames = 10;
    const quillaby::app::Snapshot shot = quillaby::app::RenderSnapshot(options);
    ASSERT_EQ(shot.Width, 160);
    ASSERT_EQ(shot.Height, 120);
    const std::string reference =
        std::string(QUILLABY_SOURCE_DIR) + "/tests/golden/theme" + std::to_string(GetParam()) + ".png";
    EXPECT_TRUE(quillaby::test::MatchesGolden(reference, shot.Width, shot.Height, shot.Pixels, Tolerance));
}

// Drawing surface and sand in one pass each must give the picture of the layer-by-layer drawing,
// up to the rounding of the intermediate 8-bit results.
TEST_P(GoldenTest, FewerPassesDrawTheSamePicture) {
    quillaby::app::RunOptions options;
    options.Job = quillaby::app::JobKind::Snapshot;
    options.Theme = GetParam();
    options.Width = 200;
    options.Height = 150;
    options.Seed = 5;
    options.Frames = 3;
    const quillaby::app::Snapshot layered = quillaby::app::RenderSnapshot(options);
    options.FewerPasses = true;
    const quillaby::app::Snapshot combined = quillaby::app::RenderSnapshot(options);
    ASSERT_FALSE(layered.CombinedLayers);
    ASSERT_TRUE(combined.CombinedLayers) << "the driver offers no texture combiners";
    EXPECT_GT(combined.OnePassNotes, 0) << "no note took its shimmer in its first pass";
    ASSERT_EQ(combined.Pixels.size(), layered.Pixels.size());
    const long differing = quillaby::test::CountDifferingPixels(combined.Pixels, layered.Pixels, 2);
    EXPECT_LE(differing, 200 * 150 / 1000) << differing << " pixels differ by more than 2";
}

// Drawn at half of each side and scaled up, the picture fills the whole window and is the same
// scene, softer: alike once both are shrunk to blocks of 8 x 8 pixels, yet not the same picture.
TEST_P(GoldenTest, HalfScaleDrawsTheSceneSofterAtTheWindowsSize) {
    quillaby::app::RunOptions options;
    options.Job = quillaby::app::JobKind::Snapshot;
    options.Theme = GetParam();
    options.Width = 320;
    options.Height = 240;
    options.Seed = 7;
    options.Frames = 3;
    const quillaby::app::Snapshot full = quillaby::app::RenderSnapshot(options);
    options.RenderScale = 50;
    const quillaby::app::Snapshot half = quillaby::app::RenderSnapshot(options);
    ASSERT_EQ(half.Width, full.Width);
    ASSERT_EQ(half.Height, full.Height);
    ASSERT_EQ(half.Pixels.size(), full.Pixels.size());

    constexpr int Block = 8;
    double blockDifference = 0; // mean over blocks and channels, 0 to 255
    int blocks = 0;
    for (int by = 0; by < full.Height; by += Block)
        for (int bx = 0; bx < full.Width; bx += Block, ++blocks)
            for (int c = 0; c < 3; ++c) {
                double a = 0, b = 0;
                for (int y = by; y < by + Block; ++y)
                    for (int x = bx; x < bx + Block; ++x) {
                        const size_t i = (static_cast<size_t>(y) * full.Width + x) * 4 + c;
                        a += full.Pixels[i];
                        b += half.Pixels[i];
                    }
                blockDifference += std::abs(a - b) / (Block * Block) / 3;
            }
    blockDifference /= blocks;
    EXPECT_LT(blockDifference, 6.0) << "the scaled picture is not the scene";
    EXPECT_GT(quillaby::test::CountDifferingPixels(half.Pixels, full.Pixels, 8), 320 * 240 / 20)
        << "the picture was not drawn smaller";
}

INSTANTIATE_TEST_SUITE_P(Themes, GoldenTest, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return "Theme" + std::to_string(info.param); });

} // namespace
