// Real rendering through the whole engine: an offscreen window, Mesa's software rasterizer, a lit
// primitive, and the pixels read back.
#include <gtest/gtest.h>

#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLViewport.h"
#include "support/OffscreenGL.h"

namespace {

// A quad in the z = 0 plane from (x0, y0) to (x1, y1), counter-clockwise, as indexed triangles.
void MakeQuad(TGLPrimitive& quad, Single x0, Single y0, Single x1, Single y1) {
    quad.Vertices.SetFromArray(std::vector<Single>{x0, y0, 0, x1, y0, 0, x1, y1, 0, x0, y1, 0});
    quad.Indices.SetFromArray(std::vector<int32_t>{0, 1, 2, 0, 2, 3});
}

TEST(OffscreenRender, EngineReportsTheChosenFormatOfTheSoftwareRasterizer) {
    gltest::OffscreenGL gl(64, 48);
    EXPECT_TRUE(gl.engine.Active());
    EXPECT_EQ(gl.width(), 64);
    EXPECT_EQ(gl.height(), 48);
    EXPECT_GE(gl.engine.DepthBits, 16); // a minimum: Mesa gives more
    EXPECT_EQ(gl.engine.ColorBits, 32);
    EXPECT_TRUE(gl.engine.Generic) << gl.window.Renderer();
    EXPECT_NE(quillaby::gl::entryPoints.glLockArraysEXT, nullptr); // llvmpipe lists the extension
    EXPECT_NO_THROW(gl.engine.CheckError());
    glMatrixMode(0x1234); // not a matrix mode
    EXPECT_THROW(gl.engine.CheckError(), quillaby::Error);
}

TEST(OffscreenRender, ASecondInitOnTheSameWindowGetsAWorkingContext) {
    gltest::OffscreenGL gl(32, 32);
    gl.engine.Deactivate();
    gl.engine.Done();
    EXPECT_FALSE(gl.engine.Active());
    ASSERT_TRUE(gl.engine.Init());
    gl.engine.Activate();
    EXPECT_NE(gl.engine.RC(), nullptr);
    EXPECT_TRUE(gl.engine.LibraryLoaded());

    glClearColor(1, 0.5f, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    gl.engine.CheckError();
    gltest::Image expected(32, 32);
    expected.fill(0, 0, 32, 32, 255, 128, 0);
    EXPECT_EQ(gltest::CompareImages(gltest::ReadBack(32, 32), expected, 1, "second-init-clear"), "");
}

// Two red quads lit by a directional light shining from the viewer: the left one faces the light,
// the right one is tilted 60 degrees about X, so it catches half the diffuse light and, seen
// edge-on by the orthographic camera, covers half the height.
TEST(OffscreenRender, LitPrimitivesShadeByTheirNormals) {
    constexpr int size = 64; // 32 pixels a scene unit
    gltest::OffscreenGL gl(size, size);

    TGLViewport viewport;
    viewport.SetBounds(0, 0, size, size);
    viewport.SetOrtho(-1, 1, -1, 1, -10, 10);
    viewport.Perspective = false;
    viewport.Lighting = true;
    viewport.Apply();
    glLoadIdentity();
    glClearColor(0, 0, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    TGLLight light;
    light.Enable();
    TGLMaterial material;
    material.SetDiffuse({0.6f, 0, 0, 1});
    material.Update();

    TGLPrimitive facing;
    MakeQuad(facing, -0.875f, -0.5f, -0.125f, 0.5f);
    facing.BuildNormals();
    facing.Draw();

    TGLPrimitive tilted;
    MakeQuad(tilted, 0.125f, -0.5f, 0.875f, 0.5f);
    TGLMatrix tilt;
    RotationXMatrix(tilt, 60);
    tilted.Transform(tilt);
    tilted.BuildNormals();
    tilted.Draw();
    gl.engine.CheckError();

    const gltest::Image actual = gltest::ReadBack(size, size);
    gl.engine.Swap(&gl.window);

    // Colour = diffuse x (N . L) + material ambient 0.2 x light-model ambient 0.2.
    gltest::Image expected(size, size);
    expected.fill(0, 0, size, size, 0, 0, 128);
    expected.fill(4, 16, 28, 48, 163, 10, 10); // 0.6 + 0.04 = 0.64
    expected.fill(36, 24, 60, 40, 87, 10, 10); // 0.3 + 0.04 = 0.34
    const std::string mismatch = gltest::CompareImages(actual, expected, 3, "lit-primitives");
    EXPECT_EQ(mismatch, "");
    gltest::SavePng(actual, gltest::OutputPath("lit-primitives"));
}

} // namespace
