#include "math/Geometry.h"

#include <cmath>

#include "math/FastMath.h"

void MatrixMultiply(const TGLMatrix& A, const TGLMatrix& B, TGLMatrix& R) {
    TGLMatrix product = EmptyMatrix;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Single sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += A[i][k] * B[k][j];
            product[i][j] = sum;
        }
    R = product;
}

void RotationXMatrix(TGLMatrix& M, Single Degrees) {
    Single s, c;
    SinCos(DegToRad(Degrees), s, c);
    M = IdentityMatrix;
    M[1][1] = c;
    M[1][2] = s;
    M[2][1] = -s;
    M[2][2] = c;
}

void FaceNormal(const TGLVector& A, const TGLVector& B, const TGLVector& C, TGLVector& N) {
    const TGLVector U{B.X - A.X, B.Y - A.Y, B.Z - A.Z};
    const TGLVector W{C.X - A.X, C.Y - A.Y, C.Z - A.Z};
    N = TGLVector{U.Y * W.Z - W.Y * U.Z, U.Z * W.X - W.Z * U.X, U.X * W.Y - U.Y * W.X};
}

void NormalizeVectors(TGLVector* V, int N) {
    for (int i = 0; i < N; ++i) {
        TGLVector& v = V[i];
        const Single length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
        if (length != 0.0f) {
            v.X /= length;
            v.Y /= length;
            v.Z /= length;
        }
    }
}

void TransformVectors(TGLVector* V, int N, const TGLMatrix& M) {
    for (int i = 0; i < N; ++i) {
        const Single x = V[i].X, y = V[i].Y, z = V[i].Z;
        V[i].X = x * M[0][0] + y * M[1][0] + z * M[2][0] + M[3][0];
        V[i].Y = x * M[0][1] + y * M[1][1] + z * M[2][1] + M[3][1];
        V[i].Z = x * M[0][2] + y * M[1][2] + z * M[2][2] + M[3][2];
    }
}

void RotateVectorsZ(TGLVector* V, int N, Single Degrees) {
    if (N <= 0) return;
    Single s, c;
    SinCos(DegToRad(Degrees), s, c);
    for (int i = 0; i < N; ++i) {
        const Single x = V[i].X, y = V[i].Y;
        V[i].X = x * c - y * s;
        V[i].Y = x * s + y * c;
    }
}

void LerpVectors(const TGLVector* A, const TGLVector* B, TGLVector* Dst, int N, Single T) {
    for (int i = 0; i < N; ++i) {
        const TGLVector a = A[i], b = B[i];
        Dst[i] = TGLVector{a.X + T * (b.X - a.X), a.Y + T * (b.Y - a.Y), a.Z + T * (b.Z - a.Z)};
    }
}
