// The fade layers' per-vertex colours.
#include <gtest/gtest.h>

#include "scene/DepthFade.h"

namespace {

const TGLColor Near{0, 0.612f, 0.7098f, 0};
const TGLColor Far{0, 0.612f, 0.7098f, 1};

void SetDepths(TGLVectorDArray& v, std::initializer_list<Single> zs) {
    v.SetCount(static_cast<int>(zs.size()));
    int i = 0;
    for (Single z : zs) v.SetVector(i++, 10, 20, z);
}

TEST(DepthFade, DefaultLayersAreClearNearHalfWayAt8000AndOpaqueBeyond) {
    TGLVectorDArray v;
    SetDepths(v, {-5000, -6000, -8000, -10000, -12000});
    TGLColorDArray c;
    c.SetCount(5);
    ApplyDepthFade(v, c, Near, Far, -6000, -10000);
    EXPECT_EQ(c.GetItem(0).A, 0);
    EXPECT_EQ(c.GetItem(1).A, 0);
    EXPECT_FLOAT_EQ(c.GetItem(2).A, 0.5f);
    EXPECT_EQ(c.GetItem(3).A, 1);
    EXPECT_EQ(c.GetItem(4).A, 1);
    EXPECT_FLOAT_EQ(c.GetItem(2).B, 0.7098f);
    EXPECT_EQ(c.GetItem(2).R, 0);
}

TEST(DepthFade, InterpolatedComponentsAreClampedToOneAndSnappedToZero) {
    TGLVectorDArray v;
    SetDepths(v, {-6002, -9999});
    TGLColorDArray c;
    c.SetCount(2);
    ApplyDepthFade(v, c, {0, 0, 2, 0}, {1, 1, 2, 1}, -6000, -10000);
    EXPECT_EQ(c.GetItem(0).A, 0); // 0.0005 is snapped to 0
    EXPECT_EQ(c.GetItem(0).B, 1); // 2 is cut to 1
    EXPECT_NEAR(c.GetItem(1).A, 0.99975f, 1e-5);
}

TEST(DepthFade, AReversedRangeMirrorsTheTests) {
    TGLVectorDArray v;
    SetDepths(v, {-100, 50, 100, 200});
    TGLColorDArray c;
    c.SetCount(4);
    ApplyDepthFade(v, c, Near, Far, 0, 100);
    EXPECT_EQ(c.GetItem(0).A, 0);
    EXPECT_FLOAT_EQ(c.GetItem(1).A, 0.5f);
    EXPECT_EQ(c.GetItem(2).A, 1);
    EXPECT_EQ(c.GetItem(3).A, 1);
}

TEST(DepthFade, MismatchedCountsOrAnEmptyRangeChangeNothing) {
    TGLVectorDArray v;
    SetDepths(v, {-8000, -8000});
    TGLColorDArray one;
    one.SetCount(1);
    one.SetItem(0, {0.3f, 0.3f, 0.3f, 0.3f});
    ApplyDepthFade(v, one, Near, Far, -6000, -10000);
    EXPECT_EQ(one.GetItem(0).A, 0.3f);

    TGLColorDArray two;
    two.SetCount(2);
    two.SetItem(0, {0.3f, 0.3f, 0.3f, 0.3f});
    ApplyDepthFade(v, two, Near, Far, -6000, -6000.005f);
    EXPECT_EQ(two.GetItem(0).A, 0.3f);
}

} // namespace
