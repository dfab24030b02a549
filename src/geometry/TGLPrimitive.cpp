#include "geometry/TGLPrimitive.h"

#include <vector>

#include "base/Error.h"
#include "gl/GLCalls.h"

GLenum PrimitiveMode(TGLPrimitiveType Type) {
    static constexpr GLenum modes[] = {GL_TRIANGLES, GL_POINTS,         GL_LINES,        GL_LINE_STRIP,
                                       GL_LINE_LOOP, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_QUAD_STRIP,
                                       GL_QUADS,     GL_POLYGON};
    return Type < std::size(modes) ? modes[Type] : GL_TRIANGLES;
}

void TGLPrimitive::SetPrimitiveType(TGLPrimitiveType Type) {
    FPrimitiveType = Type;
    FMode = PrimitiveMode(Type);
}

void TGLPrimitive::AddPrimitive(const TGLPrimitive& Other) {
    if (Other.FPrimitiveType != FPrimitiveType)
        throw quillaby::Error("AddPrimitive failed: formats are not equal!");
    // A single colour stands for the whole primitive and stays as it is.
    if (Colors.Count() > 1) Colors.Append(&Other.Colors);
    Normals.Append(&Other.Normals);
    TexCoords.Append(&Other.TexCoords);
    const int vertexBase = Vertices.Count();
    const int indexBase = Indices.Count();
    Vertices.Append(&Other.Vertices);
    Indices.Append(&Other.Indices);
    int32_t* indices = Indices.Items();
    for (int i = indexBase; i < Indices.Count(); ++i) indices[i] += vertexBase;
}

void TGLPrimitive::CopyTo(TGLPrimitive*& Dest) const {
    if (!Dest) Dest = new TGLPrimitive;
    Dest->SetPrimitiveType(FPrimitiveType);
    Colors.AssignTo(&Dest->Colors);
    Vertices.AssignTo(&Dest->Vertices);
    Normals.AssignTo(&Dest->Normals);
    TexCoords.AssignTo(&Dest->TexCoords);
    Indices.AssignTo(&Dest->Indices);
}

void TGLPrimitive::BuildNormals() {
    const int vertexCount = Vertices.Count();
    const int indexCount = Indices.Count();
    const bool triangles = FPrimitiveType == ptTriangles;
    const int usedIndices = indexCount - indexCount % 3;
    if (triangles && indexCount > 0) {
        // Check first, so a bad index leaves the normals as they were.
        const int32_t* indices = Indices.Items();
        for (int i = 0; i < usedIndices; ++i)
            if (indices[i] < 0 || indices[i] >= vertexCount) Vertices.GetItem(indices[i]); // raises
    }

    Normals.SetCount(vertexCount);
    Normals.ZeroAll();
    TGLVector* normals = Normals.Items();
    const TGLVector* vertices = Vertices.Items();
    if (triangles && indexCount > 0) {
        const int32_t* indices = Indices.Items();
        std::vector<int> faces(static_cast<std::size_t>(vertexCount), 0);
        for (int k = 0; k < usedIndices; k += 3) {
            TGLVector n;
            FaceNormal(vertices[indices[k]], vertices[indices[k + 1]], vertices[indices[k + 2]], n);
            for (int j = 0; j < 3; ++j) {
                TGLVector& sum = normals[indices[k + j]];
                sum.X += n.X;
                sum.Y += n.Y;
                sum.Z += n.Z;
                ++faces[indices[k + j]];
            }
        }
        for (int i = 0; i < vertexCount; ++i) {
            if (faces[i] == 0) continue;
            const Single count = static_cast<Single>(faces[i]);
            normals[i] = {normals[i].X / count, normals[i].Y / count, normals[i].Z / count};
        }
    } else if (triangles) {
        for (int k = 0; k + 2 < vertexCount; k += 3) {
            TGLVector n;
            FaceNormal(vertices[k], vertices[k + 1], vertices[k + 2], n);
            normals[k] = normals[k + 1] = normals[k + 2] = n;
        }
    }
    NormalizeVectors(normals, vertexCount);
}

void TGLPrimitive::NormalizeNormals() {
    NormalizeVectors(Normals.Items(), Normals.Count());
}

void TGLPrimitive::LerpVertices(const TGLVectorDArray& A, const TGLVectorDArray& B, Single T) {
    if (A.Count() != B.Count()) return;
    if (Vertices.Count() != A.Count()) Vertices.SetCount(A.Count());
    LerpVectors(A.Items(), B.Items(), Vertices.Items(), A.Count(), T);
}

void TGLPrimitive::Transform(const TGLMatrix& M) {
    TransformVectors(Vertices.Items(), Vertices.Count(), M);
}

void TGLPrimitive::RotateZ(Single Degrees) {
    RotateVectorsZ(Vertices.Items(), Vertices.Count(), Degrees);
}

void TGLPrimitive::Draw() const {
    const int vertexCount = Vertices.Count();
    if (vertexCount == 0) return;

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TGLVector), Vertices.Data());

    if (Colors.Count() == vertexCount) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, sizeof(TGLColor), Colors.Data());
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        if (Colors.Count() == 1) glColor4fv(&Colors.Items()[0].R);
    }

    if (Normals.Count() == vertexCount) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, sizeof(TGLVector), Normals.Data());
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        if (Normals.Count() == 1) glNormal3fv(&Normals.Items()[0].X);
    }

    // Any count but one per vertex switches the array off, so it never reads another primitive's
    // coordinates or runs past the end of these.
    if (TexCoords.Count() == vertexCount) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(TGLTextureCoord), TexCoords.Data());
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }

    const auto& gl = quillaby::gl::entryPoints;
    if (gl.glLockArraysEXT) glLockArraysEXT(0, vertexCount);
    if (Indices.Count() > 0)
        glDrawElements(FMode, Indices.Count(), GL_UNSIGNED_INT, Indices.Data());
    else
        glDrawArrays(FMode, 0, vertexCount);
    if (gl.glUnlockArraysEXT) glUnlockArraysEXT();
}
