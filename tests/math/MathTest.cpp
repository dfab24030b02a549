#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "math/FastMath.h"
#include "math/Geometry.h"

namespace {

TEST(ScalarMath, TruncAndFracRoundTowardZero) {
    EXPECT_EQ(Trunc(2.75L), 2);
    EXPECT_EQ(Trunc(-2.75L), -2);
    EXPECT_EQ(Frac(-1.25L), -0.25L);
    EXPECT_EQ(Frac(2.75L), 0.75L);
    EXPECT_EQ(Trunc(1e30L), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Trunc(std::numeric_limits<Extended>::quiet_NaN()), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Trunc(-9223372036854775807.0L), -9223372036854775807LL);
}

TEST(ScalarMath, SingleConversionsUseTheFixedConstants) {
    EXPECT_EQ(std::bit_cast<uint32_t>(DegToRad(1.0f)), 0x3C8EFA35u);
    EXPECT_EQ(std::bit_cast<uint32_t>(RadToDeg(1.0f)), 0x42652EE1u);
    EXPECT_NEAR(static_cast<double>(DegToRad(180.0L)), M_PI, 1e-15);
    Single s, c;
    SinCos(DegToRad(30.0f), s, c);
    EXPECT_NEAR(s, 0.5f, 1e-6f);
    EXPECT_NEAR(c, std::sqrt(3.0f) / 2, 1e-6f);
    EXPECT_NEAR(static_cast<double>(Tan(DegToRad(45.0L))), 1.0, 1e-15);
}

TEST(Matrices, MultiplyAllowsAliasingAndIdentityIsNeutral) {
    TGLMatrix a;
    for (int i = 0; i < 16; ++i) a.M[i / 4][i % 4] = static_cast<Single>(i + 1);
    const TGLMatrix original = a;
    MatrixMultiply(a, IdentityMatrix, a);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(a.M[i / 4][i % 4], original.M[i / 4][i % 4]);

    // A x A into A: the product must be formed before A is overwritten.
    MatrixMultiply(a, a, a);
    EXPECT_EQ(a[0][0], 1 * 1 + 2 * 5 + 3 * 9 + 4 * 13);
    EXPECT_EQ(a[3][2], 13 * 3 + 14 * 7 + 15 * 11 + 16 * 15);
}

TEST(Matrices, RotationXTurnsZUpIntoYUp) {
    TGLMatrix m;
    RotationXMatrix(m, 270);
    TGLVector p[1] = {{1, 2, 3}};
    TransformVectors(p, 1, m);
    EXPECT_NEAR(p[0].X, 1, 1e-6f);
    EXPECT_NEAR(p[0].Y, 3, 1e-6f);
    EXPECT_NEAR(p[0].Z, -2, 1e-6f);
    EXPECT_EQ(m[1][2], -1.0f);
    EXPECT_NE(m[1][1], 0.0f); // cos(270 degrees) in Single is a tiny non-zero value
}

TEST(Matrices, TransformAddsTheTranslationRow) {
    TGLMatrix m = IdentityMatrix;
    m[3][0] = 10;
    m[3][1] = 20;
    m[3][2] = 30;
    m[0][0] = 2;
    TGLVector p[2] = {{1, 1, 1}, {0, 0, 0}};
    TransformVectors(p, 2, m);
    EXPECT_EQ(p[0].X, 12);
    EXPECT_EQ(p[0].Y, 21);
    EXPECT_EQ(p[1].Z, 30);
    TransformVectors(p, 0, m); // N <= 0 does nothing
    EXPECT_EQ(p[1].Z, 30);
}

TEST(VectorArrays, FaceNormalFollowsWindingAndScalesWithArea) {
    TGLVector n;
    FaceNormal({0, 0, 0}, {2, 0, 0}, {0, 2, 0}, n);
    EXPECT_EQ(n.X, 0);
    EXPECT_EQ(n.Y, 0);
    EXPECT_EQ(n.Z, 4); // twice the area, towards the viewer for counter-clockwise order
    FaceNormal({0, 0, 0}, {0, 2, 0}, {2, 0, 0}, n);
    EXPECT_EQ(n.Z, -4);
}

TEST(VectorArrays, NormalizeLeavesZeroVectorsAlone) {
    TGLVector v[2] = {{0, 0, 0}, {3, 0, 4}};
    NormalizeVectors(v, 2);
    EXPECT_EQ(v[0].X, 0);
    EXPECT_EQ(v[0].Z, 0);
    EXPECT_FLOAT_EQ(v[1].X, 0.6f);
    EXPECT_FLOAT_EQ(v[1].Z, 0.8f);
}

TEST(VectorArrays, RotateZIsCounterClockwiseAndKeepsZ) {
    TGLVector v[1] = {{1, 0, 5}};
    RotateVectorsZ(v, 1, 90);
    EXPECT_NEAR(v[0].X, 0, 1e-6f);
    EXPECT_NEAR(v[0].Y, 1, 1e-6f);
    EXPECT_EQ(v[0].Z, 5);
}

TEST(VectorArrays, LerpHitsBothEndsAndMayWriteIntoASource) {
    TGLVector a[2] = {{0, 0, 0}, {1, 2, 3}};
    TGLVector b[2] = {{10, 20, 30}, {1, 2, 3}};
    TGLVector d[2];
    LerpVectors(a, b, d, 2, 0.0f);
    EXPECT_EQ(d[0].X, 0);
    LerpVectors(a, b, d, 2, 1.0f);
    EXPECT_EQ(d[0].Y, 20);
    LerpVectors(a, b, a, 2, 0.5f);
    EXPECT_EQ(a[0].X, 5);
    EXPECT_EQ(a[0].Z, 15);
    EXPECT_EQ(a[1].Y, 2);
}

} // namespace
