// TGLPrimitive and TGLPrimitiveList: the draw call sequence, normals, merging, copying, moving
// vertices; the render-state shortcuts.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/RenderStates.h"
#include "support/GLTest.h"

namespace {

using Lines = std::vector<std::string>;
using quillaby::gl::entryPoints;

// A unit square in the z = 0 plane, counter-clockwise, as two indexed triangles.
void MakeSquare(TGLPrimitive& p) {
    p.Vertices.SetFromArray(std::vector<Single>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    p.Indices.SetFromArray(std::vector<int32_t>{0, 1, 2, 0, 2, 3});
}

std::string Text(const TGLVector& v) {
    return std::to_string(v.X) + " " + std::to_string(v.Y) + " " + std::to_string(v.Z);
}

TEST(TGLPrimitiveDraw, NoVerticesMeansNoCall) {
    gltest::RecordingGL gl;
    TGLPrimitive p;
    p.Colors.SetFromArray(std::vector<Single>{1, 0, 0});
    p.Draw();
    EXPECT_TRUE(gl.calls().empty());
}

TEST(TGLPrimitiveDraw, OneColourNoNormalsUnindexed) {
    gltest::RecordingGL gl;
    TGLPrimitive p;
    p.SetPrimitiveType(ptQuads);
    p.Vertices.SetFromArray(std::vector<Single>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    p.Colors.SetFromArray(std::vector<Single>{1, 0.5f, 0});
    p.Draw();
    const Lines expected = {
        "glEnableClientState(GL_VERTEX_ARRAY)",
        "glVertexPointer(3, GL_FLOAT, 12, " + gltest::ptr(p.Vertices.Data()) + ")",
        "glDisableClientState(GL_COLOR_ARRAY)",
        "glColor4fv({1, 0.5, 0, 1})",
        "glDisableClientState(GL_NORMAL_ARRAY)",
        "glDisableClientState(GL_TEXTURE_COORD_ARRAY)",
        "glLockArraysEXT(0, 4)",
        "glDrawArrays(GL_QUADS, 0, 4)",
        "glUnlockArraysEXT()",
    };
    EXPECT_EQ(gl.calls(), expected);
}

TEST(TGLPrimitiveDraw, FullArraysIndexedWithoutLockArrays) {
    gltest::RecordingGL gl;
    entryPoints.glLockArraysEXT = nullptr;
    entryPoints.glUnlockArraysEXT = nullptr;
    TGLPrimitive p;
    MakeSquare(p);
    p.BuildNormals();
    p.Colors.SetCount(4);
    p.TexCoords.SetCount(4);
    p.Draw();
    const Lines expected = {
        "glEnableClientState(GL_VERTEX_ARRAY)",
        "glVertexPointer(3, GL_FLOAT, 12, " + gltest::ptr(p.Vertices.Data()) + ")",
        "glEnableClientState(GL_COLOR_ARRAY)",
        "glColorPointer(4, GL_FLOAT, 16, " + gltest::ptr(p.Colors.Data()) + ")",
        "glEnableClientState(GL_NORMAL_ARRAY)",
        "glNormalPointer(GL_FLOAT, 12, " + gltest::ptr(p.Normals.Data()) + ")",
        "glEnableClientState(GL_TEXTURE_COORD_ARRAY)",
        "glTexCoordPointer(2, GL_FLOAT, 8, " + gltest::ptr(p.TexCoords.Data()) + ")",
        "glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, " + gltest::ptr(p.Indices.Data()) + ")",
    };
    EXPECT_EQ(gl.calls(), expected);
}

TEST(TGLPrimitiveDraw, MismatchedCountsLeaveAttributesOff) {
    gltest::RecordingGL gl;
    entryPoints.glUnlockArraysEXT = nullptr; // either may be missing on its own
    TGLPrimitive p;
    MakeSquare(p);
    p.Colors.SetCount(2);
    p.Normals.SetFromArray(std::vector<Single>{0, 0, 1});
    p.TexCoords.SetCount(3);
    p.Draw();
    const Lines expected = {
        "glEnableClientState(GL_VERTEX_ARRAY)",
        "glVertexPointer(3, GL_FLOAT, 12, " + gltest::ptr(p.Vertices.Data()) + ")",
        "glDisableClientState(GL_COLOR_ARRAY)",
        "glDisableClientState(GL_NORMAL_ARRAY)",
        "glNormal3fv({0, 0, 1})",
        "glDisableClientState(GL_TEXTURE_COORD_ARRAY)",
        "glLockArraysEXT(0, 4)",
        "glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, " + gltest::ptr(p.Indices.Data()) + ")",
    };
    EXPECT_EQ(gl.calls(), expected);
}

TEST(TGLPrimitive, TypesMapToOpenGLModes) {
    TGLPrimitive p;
    EXPECT_EQ(p.Mode(), GLenum(GL_TRIANGLES));
    p.SetPrimitiveType(ptLineStrip);
    EXPECT_EQ(p.Mode(), GLenum(GL_LINE_STRIP));
    p.SetPrimitiveType(ptQuads);
    EXPECT_EQ(p.Mode(), GLenum(GL_QUADS));
    p.SetPrimitiveType(ptLineLoop);
    EXPECT_EQ(p.Mode(), GLenum(GL_LINE_LOOP));
    p.SetPrimitiveType(ptQuadStrip);
    EXPECT_EQ(p.Mode(), GLenum(GL_QUAD_STRIP));
    p.SetPrimitiveType(static_cast<TGLPrimitiveType>(42));
    EXPECT_EQ(p.PrimitiveType(), 42);
    EXPECT_EQ(p.Mode(), GLenum(GL_TRIANGLES));
}

TEST(TGLPrimitiveNormals, IndexedTrianglesAverageTheirFaces) {
    TGLPrimitive one;
    one.Vertices.SetFromArray(std::vector<Single>{0, 0, 0, 1, 0, 0, 0, 1, 0});
    one.Indices.SetFromArray(std::vector<int32_t>{0, 1, 2});
    one.BuildNormals();
    ASSERT_EQ(one.Normals.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Text(one.Normals.GetItem(i)), Text({0, 0, 1}));

    // A roof of two slopes, two triangles each, meeting at the ridge x = 1; the 13th index is an
    // incomplete triangle and ignored. Ridge vertex 2 touches two left faces and one right face.
    TGLPrimitive roof;
    roof.Vertices.SetFromArray(std::vector<Single>{0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1, 1, 2, 0, 0, 2, 0, 1});
    roof.Indices.SetFromArray(std::vector<int32_t>{0, 1, 2, 1, 3, 2, 2, 3, 4, 3, 5, 4, 0});
    roof.BuildNormals();
    const TGLVector ridge = roof.Normals.GetItem(2);
    EXPECT_NEAR(ridge.X, -1 / std::sqrt(10.0), 1e-6);
    EXPECT_NEAR(ridge.Y, 3 / std::sqrt(10.0), 1e-6);
    EXPECT_NEAR(ridge.Z, 0, 1e-6);
    const TGLVector left = roof.Normals.GetItem(0);
    EXPECT_NEAR(left.X, -0.70710678, 1e-6);
    EXPECT_NEAR(left.Y, 0.70710678, 1e-6);
}

TEST(TGLPrimitiveNormals, UnindexedTrianglesAreFlatAndTheTailStaysZero) {
    TGLPrimitive p;
    std::vector<Single> v = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 5, 5, 5};
    p.Vertices.SetFromArray(v);
    p.BuildNormals();
    ASSERT_EQ(p.Normals.Count(), 7);
    EXPECT_EQ(Text(p.Normals.GetItem(0)), Text({0, 0, 1}));
    EXPECT_EQ(Text(p.Normals.GetItem(2)), Text({0, 0, 1}));
    EXPECT_EQ(Text(p.Normals.GetItem(3)), Text({0, 1, 0}));
    EXPECT_EQ(Text(p.Normals.GetItem(5)), Text({0, 1, 0}));
    EXPECT_EQ(Text(p.Normals.GetItem(6)), Text({0, 0, 0}));
}

TEST(TGLPrimitiveNormals, OtherTypesGetZeroNormals) {
    TGLPrimitive p;
    p.SetPrimitiveType(ptLines);
    p.Vertices.SetFromArray(std::vector<Single>{0, 0, 0, 1, 0, 0, 0, 1, 0});
    p.Normals.SetFromArray(std::vector<Single>{1, 1, 1});
    p.BuildNormals();
    ASSERT_EQ(p.Normals.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Text(p.Normals.GetItem(i)), Text({0, 0, 0}));
}

TEST(TGLPrimitiveNormals, ABadIndexRaisesAndKeepsTheNormals) {
    TGLPrimitive p;
    MakeSquare(p);
    p.BuildNormals();
    p.Indices.SetIndex(4, 9);
    try {
        p.BuildNormals();
        FAIL() << "an index past the vertices was accepted";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "TDArray GetItem: index out of bounds.");
    }
    EXPECT_EQ(p.Normals.Count(), 4);
    EXPECT_EQ(Text(p.Normals.GetItem(3)), Text({0, 0, 1}));
}

TEST(TGLPrimitiveMerge, AppendsGeometryAndShiftsIndices) {
    TGLPrimitive a;
    MakeSquare(a);
    a.Colors.SetFromArray(std::vector<Single>{1, 0, 0});
    TGLPrimitive* b = nullptr;
    a.CopyTo(b);
    b->Colors.SetFromArray(std::vector<Single>{0, 1, 0});
    a.AddPrimitive(*b);
    EXPECT_EQ(a.Vertices.Count(), 8);
    ASSERT_EQ(a.Indices.Count(), 12);
    const std::vector<int32_t> expected = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(a.Indices.GetIndex(i), expected[i]) << i;
    EXPECT_EQ(a.Colors.Count(), 1); // one colour stands for the whole primitive
    EXPECT_EQ(a.Colors.GetItem(0).R, 1);

    // Merging a primitive into itself doubles it.
    b->AddPrimitive(*b);
    EXPECT_EQ(b->Vertices.Count(), 8);
    EXPECT_EQ(b->Indices.GetIndex(11), 7);
    b->Release();
}

TEST(TGLPrimitiveMerge, PerVertexColoursAreAppended) {
    TGLPrimitive a;
    MakeSquare(a);
    a.Colors.SetCount(4);
    TGLPrimitive b;
    MakeSquare(b);
    b.Colors.SetCount(4);
    b.Colors.SetColor(3, 0, 0, 1);
    a.AddPrimitive(b);
    ASSERT_EQ(a.Colors.Count(), 8);
    EXPECT_EQ(a.Colors.GetItem(7).B, 1);
}

TEST(TGLPrimitiveMerge, DifferentTypesAreRefusedAndNothingChanges) {
    TGLPrimitive quads;
    quads.SetPrimitiveType(ptQuads);
    quads.Vertices.SetCount(4);
    TGLPrimitive triangles;
    MakeSquare(triangles);
    try {
        quads.AddPrimitive(triangles);
        FAIL() << "a triangle primitive merged into quads";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "AddPrimitive failed: formats are not equal!");
    }
    EXPECT_EQ(quads.Vertices.Count(), 4);
    EXPECT_EQ(quads.Indices.Count(), 0);
}

TEST(TGLPrimitiveCopy, EmptySourceArraysLeaveTheDestination) {
    TGLPrimitive source;
    source.SetPrimitiveType(ptLines);
    source.Vertices.SetFromArray(std::vector<Single>{1, 2, 3, 4, 5, 6});
    TGLPrimitive dest;
    MakeSquare(dest);
    TGLPrimitive* target = &dest;
    source.CopyTo(target);
    EXPECT_EQ(target, &dest);
    EXPECT_EQ(dest.PrimitiveType(), ptLines);
    EXPECT_EQ(dest.Mode(), GLenum(GL_LINES));
    EXPECT_EQ(dest.Vertices.Count(), 2);
    EXPECT_EQ(dest.Indices.Count(), 6); // untouched
}

TEST(TGLPrimitiveVertices, LerpTransformAndRotate) {
    TGLVectorDArray a;
    TGLVectorDArray b;
    a.SetFromArray(std::vector<Single>{0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0});
    b.SetFromArray(std::vector<Single>{2, 4, 6, 4, 0, 0, 0, 0, 0, 0, 0, 0});
    TGLPrimitive p;
    p.LerpVertices(a, b, 0.5f);
    ASSERT_EQ(p.Vertices.Count(), 4);
    EXPECT_EQ(Text(p.Vertices.GetItem(0)), Text({1, 2, 3}));
    EXPECT_EQ(Text(p.Vertices.GetItem(1)), Text({3, 0, 0}));

    TGLVectorDArray five;
    five.SetCount(5);
    p.LerpVertices(a, five, 0.5f);
    EXPECT_EQ(p.Vertices.Count(), 4);
    EXPECT_EQ(Text(p.Vertices.GetItem(0)), Text({1, 2, 3}));

    TGLMatrix move = IdentityMatrix;
    move[3][0] = 10;
    p.Transform(move);
    EXPECT_EQ(Text(p.Vertices.GetItem(0)), Text({11, 2, 3}));

    p.RotateZ(90);
    const TGLVector r = p.Vertices.GetItem(1); // (13, 0, 0) turned a quarter about Z
    EXPECT_NEAR(r.X, 0, 1e-4);
    EXPECT_NEAR(r.Y, 13, 1e-4);
}

TEST(TGLPrimitiveList, HoldsOneReferencePerEntry) {
    auto* p = new TGLPrimitive;
    {
        TGLPrimitiveList first;
        TGLPrimitiveList second;
        first.Add(p);
        second.Add(p);
        EXPECT_EQ(p->RefCount, 2);
        EXPECT_EQ(second.Items(0), p);
        EXPECT_EQ(p->RefCount, 2);
        first.Clear();
        EXPECT_EQ(p->RefCount, 1);
        try {
            second.Add(nullptr);
            FAIL() << "adding nothing was accepted";
        } catch (const quillaby::Error& e) {
            EXPECT_STREQ(e.what(), "TGLPrimitiveList error: Add NIL Primitive!");
        }
        EXPECT_EQ(second.Count(), 1);
        EXPECT_THROW(second.Items(1), quillaby::Error);
        p->AddRef(); // keep it past the list's end to look at it
    }
    EXPECT_EQ(p->RefCount, 1);
    p->Release();
}

TEST(RenderStates, EachShortcutSendsItsFixedSequence) {
    gltest::RecordingGL gl;
    DisableFog();
    EnableBlending();
    DisableBlending();
    EnableCulling();
    EnableDepthTest();
    DisableDepthTest();
    EnableLighting();
    DisableLighting();
    EnableTexturing();
    DisableTexturing();
    DisableStencilTest();
    SetAmbientLight(0.1f, 0.2f, 0.3f);
    const Lines expected = {
        "glDisable(GL_FOG)",          "glEnable(GL_BLEND)",
        "glDisable(GL_BLEND)",        "glEnable(GL_CULL_FACE)",
        "glEnable(GL_DEPTH_TEST)",    "glDisable(GL_DEPTH_TEST)",
        "glEnable(GL_LIGHTING)",      "glDisable(GL_LIGHTING)",
        "glEnable(GL_TEXTURE_1D)",    "glEnable(GL_TEXTURE_2D)",
        "glDisable(GL_TEXTURE_1D)",   "glDisable(GL_TEXTURE_2D)",
        "glDisable(GL_STENCIL_TEST)", "glLightModelfv(GL_LIGHT_MODEL_AMBIENT, {0.1, 0.2, 0.3, 1})",
    };
    EXPECT_EQ(gl.calls(), expected);
}

} // namespace
