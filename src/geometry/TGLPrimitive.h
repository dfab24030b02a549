#pragma once
// TGLPrimitive: the drawable mesh. Five typed arrays (indices, texture coordinates, normals,
// vertices, colours) and a primitive type, drawn from client memory with one OpenGL call.
// It carries no material or texture: the caller sets those before Draw.
#include "gl/SystemGL.h"

#include <cstdint>

#include "gl/TGLItemList.h"
#include "gl/TGLItemRefList.h"
#include "math/DArrays.h"
#include "math/Geometry.h"

// The primitive types. The values are not the OpenGL modes (3 is a line strip, 4 a line loop).
enum TGLPrimitiveType : uint8_t {
    ptTriangles = 0,
    ptPoints = 1,
    ptLines = 2,
    ptLineStrip = 3,
    ptLineLoop = 4,
    ptTriangleStrip = 5,
    ptTriangleFan = 6,
    ptQuadStrip = 7,
    ptQuads = 8,
    ptPolygon = 9,
};

// The OpenGL mode of a primitive type; GL_TRIANGLES for a value outside the list.
GLenum PrimitiveMode(TGLPrimitiveType Type);

class TGLPrimitive : public TGLItemList {
  public:
    // Any value is stored as given; one outside the list draws as triangles.
    void SetPrimitiveType(TGLPrimitiveType Type);
    TGLPrimitiveType PrimitiveType() const { return FPrimitiveType; }
    GLenum Mode() const { return FMode; }

    // Appends Other's geometry (Other may be this primitive). Raises "AddPrimitive failed: formats
    // are not equal!" and changes nothing when the types differ.
    void AddPrimitive(const TGLPrimitive& Other);
    // Creates Dest when it is null, then copies the type and the arrays into it; an empty array here
    // leaves Dest's array as it was.
    void CopyTo(TGLPrimitive*& Dest) const;
    // Smooth normals for indexed triangles (area-weighted average of the faces at each vertex), flat
    // normals for unindexed triangles, zero normals for every other type; all normalized. An index
    // naming no vertex raises before any normal changes.
    void BuildNormals();
    void NormalizeNormals();
    // Vertices = A + T * (B - A); nothing when A and B differ in count. Normals are left alone.
    void LerpVertices(const TGLVectorDArray& A, const TGLVectorDArray& B, Single T);
    void Transform(const TGLMatrix& M);
    // Rotation about Z, degrees.
    void RotateZ(Single Degrees);
    // Draws with the current OpenGL state; a primitive without vertices makes no call.
    void Draw() const;

    TGLIndexDArray Indices;
    // Empty, or one per vertex.
    TGLTextureCoordDArray TexCoords;
    // One per vertex, or one for the whole primitive.
    TGLVectorDArray Normals;
    TGLVectorDArray Vertices;
    // One per vertex, or one for the whole primitive.
    TGLColorDArray Colors;

  private:
    TGLPrimitiveType FPrimitiveType = ptTriangles;
    GLenum FMode = GL_TRIANGLES;
};

// The primitives of a model, one reference held per entry.
class TGLPrimitiveList : public TGLItemRefList<TGLPrimitive> {
  public:
    void Add(TGLPrimitive* Primitive) { AddItem(Primitive, "TGLPrimitiveList error: Add NIL Primitive!"); }
};
