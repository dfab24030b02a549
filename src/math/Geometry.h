#pragma once
// Value types shared by every graphics subsystem. Arrays of them are handed to
// OpenGL as vertex arrays, so their layout is fixed and tightly packed.
#include <cstdint>

using Single = float;
using Extended = long double;

struct TGLVector {
    Single X, Y, Z;
};

struct TGLColor {
    Single R, G, B, A;
};

struct TGLTextureCoord {
    Single U, V;
};

// Row-vector convention: p' = p x M; rows 0..2 are the images of the axes, row 3 the translation.
struct TGLMatrix {
    Single M[4][4];
    Single* operator[](int row) { return M[row]; }
    const Single* operator[](int row) const { return M[row]; }
};

static_assert(sizeof(TGLVector) == 12);
static_assert(sizeof(TGLColor) == 16);
static_assert(sizeof(TGLTextureCoord) == 8);
static_assert(sizeof(TGLMatrix) == 64);

inline constexpr TGLMatrix IdentityMatrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
inline constexpr TGLMatrix EmptyMatrix{};
inline constexpr TGLVector NullVector{0, 0, 0};

inline TGLVector MakeVector(Single X, Single Y, Single Z) {
    return TGLVector{X, Y, Z};
}
inline TGLColor MakeColor(Single R, Single G, Single B, Single A) {
    return TGLColor{R, G, B, A};
}

// R = A x B; R may be A or B.
void MatrixMultiply(const TGLMatrix& A, const TGLMatrix& B, TGLMatrix& R);
// Rotation about the X axis by Degrees.
void RotationXMatrix(TGLMatrix& M, Single Degrees);
// N = (B - A) x (C - A), not normalized; counter-clockwise order faces the viewer.
void FaceNormal(const TGLVector& A, const TGLVector& B, const TGLVector& C, TGLVector& N);

// Array-wide operations on N consecutive vectors; N <= 0 does nothing.
void NormalizeVectors(TGLVector* V, int N);
void TransformVectors(TGLVector* V, int N, const TGLMatrix& M);
void RotateVectorsZ(TGLVector* V, int N, Single Degrees);
// Dst[i] = A[i] + T * (B[i] - A[i]); Dst may be A or B.
void LerpVectors(const TGLVector* A, const TGLVector* B, TGLVector* Dst, int N, Single T);
