// The combination list that turns 3DM numbering into primitive vertex indices.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "geometry/VertIndices3DM.h"

namespace {

TEST(VertIndices3DM, ATextureCoordinateSplitsAPositionAColourDoesNot) {
    TVertIndices3DMList list(4);
    EXPECT_EQ(list.FindOrAdd(3, 3, 1), 0);
    EXPECT_EQ(list.FindOrAdd(1, 3, 1), 1);
    EXPECT_EQ(list.FindOrAdd(3, 5, 1), 2);
    EXPECT_EQ(list.FindOrAdd(3, 3, 2), 0); // same texture coordinate: one vertex, colour 1 kept
    EXPECT_EQ(list.FindOrAdd(3, 5, 7), 2);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Records(0).ColorIndex, 1);
    EXPECT_EQ(list.Records(2).TexIndex, 5);
    list.Clear();
    EXPECT_EQ(list.FindOrAdd(2, 0, 0), 0);
}

TEST(VertIndices3DM, AVertexNumberOutsideTheBucketsIsAnError) {
    TVertIndices3DMList list(3);
    for (int32_t bad : {0, 4, INT32_MIN, INT32_MAX})
        EXPECT_THROW(list.FindOrAdd(bad, 0, 0), quillaby::Error) << bad;
    EXPECT_THROW(list.Records(0), quillaby::Error);
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
