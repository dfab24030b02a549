// The combination list that turns 3DM numbering into primitive vertex indices.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "geometry/VertIndices3DM.h"

namespace {

TEST(VertIndices3DM, NewCombinationsAreNumberedInOrderOfFirstUse) {
    TVertIndices3DMList list(4);
    EXPECT_EQ(list.FindOrAdd(3, 0, 0), 0);
    EXPECT_EQ(list.FindOrAdd(1, 0, 0), 1);
    EXPECT_EQ(list.FindOrAdd(3, 0, 0), 0);
    EXPECT_EQ(list.FindOrAdd(4, 0, 0), 2);
    ASSERT_EQ(list.Count(), 3);
    const T3DMVertIndices r = list.Records(1);
    EXPECT_EQ(r.VertexNumber, 1);
    EXPECT_EQ(r.NewIndex, 1);
}

TEST(VertIndices3DM, ATextureCoordinateSplitsAPositionAColourDoesNot) {
    TVertIndices3DMList list(2);
    EXPECT_EQ(list.FindOrAdd(2, 3, 1), 0);
    EXPECT_EQ(list.FindOrAdd(2, 5, 1), 1);
    EXPECT_EQ(list.FindOrAdd(2, 3, 2), 0); // same texture coordinate: stays, keeps colour 1
    EXPECT_EQ(list.FindOrAdd(2, 5, 7), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Records(0).ColorIndex, 1);
    EXPECT_EQ(list.Records(1).TexIndex, 5);
}

TEST(VertIndices3DM, ManyCombinationsOfOnePositionKeepTheirOrder) {
    TVertIndices3DMList list(1);
    for (int t = 1; t <= 50; ++t) EXPECT_EQ(list.FindOrAdd(1, t, 0), t - 1);
    for (int t = 50; t >= 1; --t) EXPECT_EQ(list.FindOrAdd(1, t, 0), t - 1);
    EXPECT_EQ(list.Count(), 50);
}

TEST(VertIndices3DM, ClearStartsTheNumberingAgain) {
    TVertIndices3DMList list(2);
    list.FindOrAdd(1, 0, 0);
    list.FindOrAdd(2, 0, 0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindOrAdd(2, 0, 0), 0);
    EXPECT_EQ(list.FindOrAdd(1, 0, 0), 1);
}

TEST(VertIndices3DM, AVertexNumberOutsideTheBucketsIsAnError) {
    TVertIndices3DMList list(3);
    EXPECT_THROW(list.FindOrAdd(0, 0, 0), quillaby::Error);
    EXPECT_THROW(list.FindOrAdd(4, 0, 0), quillaby::Error);
    EXPECT_THROW(list.FindOrAdd(INT32_MIN, 0, 0), quillaby::Error);
    EXPECT_THROW(list.Records(0), quillaby::Error);
    EXPECT_EQ(list.Count(), 0);
    TVertIndices3DMList empty(-5);
    EXPECT_THROW(empty.FindOrAdd(1, 0, 0), quillaby::Error);
}

} // namespace
