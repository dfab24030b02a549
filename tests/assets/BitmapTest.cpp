// The decoded picture's own limits.
#include <gtest/gtest.h>

#include <climits>

#include "ImageFiles.h"
#include "assets/Bitmap.h"
#include "base/Error.h"

using quillaby::Bitmap;
using quillaby::BitmapFormat;

namespace {

TEST(Bitmap, SizesBeyondIntRowsAreRefusedBeforeAnyAllocation) {
    Bitmap b;
    b.Allocate(BitmapFormat::Palette8, 2, 2);
    EXPECT_EQ(testimages::ErrorOf([&] { b.Allocate(BitmapFormat::Bgr24, INT_MAX / 2, 1); }),
              "Picture size 1073741823 x 1 is not supported"); // 3 x width overflows int
    EXPECT_EQ(testimages::ErrorOf([&] { b.Allocate(BitmapFormat::Palette8, 65536, 65536); }),
              "Picture size 65536 x 65536 is not supported");
    EXPECT_THROW(b.Allocate(BitmapFormat::Bgr24, -1, 4), quillaby::Error);
    EXPECT_EQ(b.Width, 2); // the old picture stays
    EXPECT_EQ(b.Pixels.size(), 4u);
}

} // namespace
