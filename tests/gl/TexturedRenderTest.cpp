// Real rendering of textured, lit primitives through the whole stack: pictures from the test's
// embedded resource table, decoded, turned into textures, uploaded on first bind and drawn by
// Mesa's software rasterizer offscreen; the frame is compared with a reviewed reference picture.
//
// The reference is tests/golden/textured-quads.png. After a deliberate change, regenerate it with
//     QUILLABY_UPDATE_GOLDEN=1 build/release/tests/test_gl --gtest_filter='TexturedRender.*'
// and look at it before committing it.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/PngWriter.h"
#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/GLUtils.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLViewport.h"
#include "support/OffscreenGL.h"

namespace quillaby {
std::span<const ResourceEntry> TestResourceTable();
}

namespace {

constexpr int Width = 160;
constexpr int Height = 120;
// llvmpipe draws the same frame every time on one machine; the margin absorbs rounding differences
// between Mesa builds in the filtered texels.
constexpr int Tolerance = 3;

// A unit quad in the z = 0 plane centred on the origin, texture (0, 0) at its lower-left corner.
void MakeQuad(TGLPrimitive& quad, Single half) {
    quad.Vertices.SetFromArray(
        std::vector<Single>{-half, -half, 0, half, -half, 0, half, half, 0, -half, half, 0});
    quad.TexCoords.SetFromArray(std::vector<Single>{0, 0, 1, 0, 1, 1, 0, 1});
    quad.Indices.SetFromArray(std::vector<int32_t>{0, 1, 2, 0, 2, 3});
}

void Place(TGLPrimitive& quad, Single turnYDegrees, TGLVector at) {
    // Turn about y (row-vector convention), then move.
    const Single r = turnYDegrees * 3.14159265f / 180;
    TGLMatrix m = IdentityMatrix;
    m[0][0] = std::cos(r);
    m[0][2] = -std::sin(r);
    m[2][0] = std::sin(r);
    m[2][2] = std::cos(r);
    m[3][0] = at.X;
    m[3][1] = at.Y;
    m[3][2] = at.Z;
    quad.Transform(m);
    quad.BuildNormals();
}

gltest::Image LoadReference(const std::string& path) {
    gltest::Image image;
    image.rgba = quillaby::app::ReadPng(path, image.width, image.height);
    return image;
}

TEST(TexturedRender, LitTexturedAndAlphaBlendedQuadsMatchTheReference) {
    gltest::OffscreenGL gl(Width, Height);

    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.Resources = std::make_shared<quillaby::EmbeddedResources>(quillaby::TestResourceTable());
    auto checker = LoadTexture("fixtures/Checker.bmp", settings);
    auto glow = LoadTextureWithAlpha("Glow.bmp", "GlowA.bmp", settings);
    ASSERT_NE(checker, nullptr);
    ASSERT_NE(glow, nullptr);

    TGLViewport viewport;
    viewport.SetBounds(0, 0, Width, Height);
    viewport.SetPerspective(60, static_cast<double>(Width) / Height, 1, 100);
    viewport.Lighting = true;
    viewport.Apply();
    glLoadIdentity();
    glClearColor(0.05f, 0.15f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    TGLLight light; // white, directional, shining from the viewer along -z
    light.Enable();
    TGLMaterial material;
    material.SetDiffuse({0.8f, 0.8f, 0.8f, 1});
    material.Update();

    // Left: the opaque checker turned 40 degrees, so it is lit at cos 40 and foreshortened.
    TGLPrimitive left;
    MakeQuad(left, 1);
    Place(left, 40, {-1.1f, 0, -4});
    checker->Bind();
    left.Draw();

    // Right: the glow with the ring as alpha, facing the light, blended over the background and
    // over the checker's edge.
    TGLPrimitive right;
    MakeQuad(right, 1);
    Place(right, 0, {-0.1f, 0.1f, -3.5f});
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glow->Bind();
    right.Draw();
    glDisable(GL_BLEND);
    gl.engine.CheckError();

    const gltest::Image actual = gltest::ReadBack(Width, Height);
    checker->DeleteHandle();
    glow->DeleteHandle();
    gl.engine.CheckError();

    const std::string reference = std::string(QUILLABY_SOURCE_DIR) + "/tests/golden/textured-quads.png";
    if (std::getenv("QUILLABY_UPDATE_GOLDEN")) {
        gltest::SavePng(actual, reference);
        GTEST_SKIP() << "wrote " << reference;
    }
    ASSERT_TRUE(std::filesystem::exists(reference)) << reference;
    EXPECT_EQ(gltest::CompareImages(actual, LoadReference(reference), Tolerance, "textured-quads"), "");
}

// The texture object belongs to the context it was made in: after DeleteHandle, a new context
// gets the kept pixels uploaded again on the next Bind.
TEST(TexturedRender, ATextureSurvivesANewContextThroughItsKeptPixels) {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.Resources = std::make_shared<quillaby::EmbeddedResources>(quillaby::TestResourceTable());
    auto checker = LoadTexture("Checker.bmp", settings);
    ASSERT_NE(checker, nullptr);

    auto drawCorner = [&] {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        TGLPrimitive quad;
        MakeQuad(quad, 1);
        checker->SetFilter(0); // nearest: exact texels
        checker->Bind();
        quad.Draw();
        return gltest::ReadBack(16, 16);
    };
    for (int run = 0; run < 2; ++run) {
        gltest::OffscreenGL gl(16, 16);
        const gltest::Image frame = drawCorner();
        gl.engine.CheckError();
        // One texel per pixel: the top-left 4 x 4 is the red square, next to it blue, then gold.
        EXPECT_EQ(frame.at(1, 1)[0], 220) << "run " << run;
        EXPECT_EQ(frame.at(1, 1)[1], 40) << "run " << run;
        EXPECT_EQ(frame.at(5, 1)[2], 200) << "run " << run;
        EXPECT_EQ(frame.at(9, 1)[0], 230) << "run " << run;
        checker->DeleteHandle();
    }
}

} // namespace
