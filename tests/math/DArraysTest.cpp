#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <vector>

#include "base/Error.h"
#include "math/DArrays.h"

namespace {

template <typename F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "(no exception)";
}

TEST(DArrayBounds, IndexErrorsCarryTheirMessagesAndCopyNothing) {
    TGLVectorDArray v;
    EXPECT_EQ(v.Count(), 0);
    EXPECT_EQ(v.Data(), nullptr);
    TGLVector out{7, 8, 9};
    EXPECT_EQ(MessageOf([&] { v.GetItem(0, out); }), "TDArray GetItem: index out of bounds.");
    EXPECT_EQ(out.X, 7);

    v.SetCount(2);
    EXPECT_EQ(MessageOf([&] { v.SetVector(2, 1, 2, 3); }), "TDArray SetItem: index out of bounds.");
    EXPECT_EQ(MessageOf([&] { v.SetVector(-1, 1, 2, 3); }), "TDArray SetItem: index out of bounds.");
    EXPECT_EQ(MessageOf([&] { v.GetItem(-1); }), "TDArray GetItem: index out of bounds.");

    TGLIndexDArray idx;
    idx.SetCount(1);
    EXPECT_EQ(MessageOf([&] { idx.GetIndex(1); }), "TDArray GetItem: index out of bounds.");
    EXPECT_EQ(MessageOf([&] { idx.SetIndex(5, 0); }), "TDArray SetItem: index out of bounds.");
    TGLColorDArray col;
    EXPECT_EQ(MessageOf([&] { col.SetColor(0, 1, 1, 1); }), "TDArray SetItem: index out of bounds.");
    TGLTextureCoordDArray tc;
    EXPECT_EQ(MessageOf([&] { tc.GetItem(0); }), "TDArray GetItem: index out of bounds.");
}

TEST(DArrayStorage, ItemSizesMatchTheVertexArrayStrides) {
    EXPECT_EQ(TDArray().ItemSize(), 1);
    EXPECT_EQ(TGLVectorDArray().ItemSize(), 12);
    EXPECT_EQ(TGLColorDArray().ItemSize(), 16);
    EXPECT_EQ(TGLTextureCoordDArray().ItemSize(), 8);
    EXPECT_EQ(TGLIndexDArray().ItemSize(), 4);
}

TEST(DArrayStorage, GrowthZeroFillsAndKeepsOldElementsAndShrinkToZeroReleases) {
    TGLColorDArray c;
    c.SetCount(3);
    for (int i = 0; i < 3; ++i) {
        const TGLColor x = c.GetItem(i);
        EXPECT_EQ(x.R, 0);
        EXPECT_EQ(x.G, 0);
        EXPECT_EQ(x.B, 0);
        EXPECT_EQ(x.A, 0);
    }
    c.SetColor(1, 0.25f, 0.5f, 0.75f);
    c.Grow(2);
    EXPECT_EQ(c.Count(), 5);
    EXPECT_EQ(c.GetItem(1).G, 0.5f);
    EXPECT_EQ(c.GetItem(1).A, 1.0f);
    EXPECT_EQ(c.GetItem(4).R, 0.0f);

    c.Shrink(3);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.GetItem(1).B, 0.75f);
    c.Grow(0);
    c.Grow(-4);
    c.Shrink(-1);
    EXPECT_EQ(c.Count(), 2);
    c.Shrink(10); // more than there is: empties
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Data(), nullptr);
    c.SetCount(1);
    c.SetCount(0);
    EXPECT_EQ(c.Data(), nullptr);
}

TEST(DArrayStorage, GrowthPastTheLargestCountIsOutOfMemoryAndKeepsTheArray) {
    TGLIndexDArray a;
    a.SetCount(3);
    a.SetIndex(2, 42);
    const void* block = a.Data();
    EXPECT_THROW(a.Grow(INT_MAX), std::bad_alloc);
    EXPECT_THROW(a.Grow(INT_MAX - 2), std::bad_alloc);
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(a.Data(), block);
    EXPECT_EQ(a.GetIndex(2), 42);
}

TEST(DArrayCopy, AssignToCopiesAndAdoptsItemSizeButAnEmptySourceLeavesDestAlone) {
    TGLVectorDArray src, dst;
    dst.SetCount(2);
    dst.SetVector(0, 1, 2, 3);
    src.AssignTo(&dst); // empty source: nothing happens
    EXPECT_EQ(dst.Count(), 2);
    EXPECT_EQ(dst.GetItem(0).Y, 2);
    src.AssignTo(nullptr);

    src.SetCount(3);
    src.SetVector(2, 4, 5, 6);
    src.AssignTo(&dst);
    ASSERT_EQ(dst.Count(), 3);
    EXPECT_EQ(dst.GetItem(2).Z, 6);
    EXPECT_EQ(dst.GetItem(0).X, 0); // old contents replaced

    TDArray plain;
    plain.SetCount(5);
    src.AssignTo(&plain);
    EXPECT_EQ(plain.ItemSize(), 12);
    EXPECT_EQ(plain.Count(), 3);
    TGLVector v;
    plain.GetItem(2, &v);
    EXPECT_EQ(v.Y, 5);
}

TEST(DArrayCopy, AppendOnlyJoinsArraysOfTheSameItemSize) {
    TGLVectorDArray a, b;
    TGLColorDArray colours;
    a.SetFromArray(std::vector<Single>{1, 2, 3});
    colours.SetCount(2);
    a.Append(&colours);
    EXPECT_EQ(a.Count(), 1);
    a.Append(nullptr);
    a.Append(&b); // empty
    EXPECT_EQ(a.Count(), 1);

    b.SetFromArray(std::vector<Single>{4, 5, 6, 7, 8, 9});
    a.Append(&b);
    ASSERT_EQ(a.Count(), 3);
    EXPECT_EQ(a.GetItem(0).X, 1);
    EXPECT_EQ(a.GetItem(1).X, 4);
    EXPECT_EQ(a.GetItem(2).Z, 9);

    a.Append(&a); // appending to itself doubles it
    ASSERT_EQ(a.Count(), 6);
    EXPECT_EQ(a.GetItem(5).Z, 9);
    EXPECT_EQ(a.GetItem(3).X, 1);
}

TEST(DArrayTyped, SetFromArrayIgnoresSurplusValues) {
    const std::vector<Single> seven{1, 2, 3, 4, 5, 6, 7};
    TGLVectorDArray v;
    v.SetFromArray(seven);
    ASSERT_EQ(v.Count(), 2);
    EXPECT_EQ(v.GetItem(1).X, 4);
    EXPECT_EQ(v.GetItem(1).Z, 6);

    TGLTextureCoordDArray t;
    t.SetFromArray(seven);
    ASSERT_EQ(t.Count(), 3);
    EXPECT_EQ(t.GetItem(2).U, 5);
    EXPECT_EQ(t.GetItem(2).V, 6);

    TGLColorDArray c;
    c.SetFromArray(seven);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.GetItem(0).A, 1.0f);
    EXPECT_EQ(c.GetItem(1).B, 6);

    TGLIndexDArray i;
    i.SetFromArray(std::vector<int32_t>{3, 1, 2});
    ASSERT_EQ(i.Count(), 3);
    EXPECT_EQ(i.GetIndex(0), 3);
    EXPECT_EQ(i.Items()[2], 2);

    v.ZeroAll();
    EXPECT_EQ(v.Count(), 2);
    EXPECT_EQ(v.GetItem(1).Y, 0);
}

} // namespace
