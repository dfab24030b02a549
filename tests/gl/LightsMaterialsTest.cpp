// Viewport, light and material: the exact OpenGL calls each sends, and the shared material list.
#include <gtest/gtest.h>

#include "gl/GLCalls.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLViewport.h"
#include "support/GLTest.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TGLViewport, SetPerspectiveComputesTheFrustumFromFieldOfView) {
    TGLViewport viewport;
    viewport.SetPerspective(90, 1, 1, 100);
    EXPECT_NEAR(viewport.FrustumVolume.Left, -1, 1e-12);
    EXPECT_NEAR(viewport.FrustumVolume.Right, 1, 1e-12);
    EXPECT_NEAR(viewport.FrustumVolume.Bottom, -1, 1e-12);
    EXPECT_NEAR(viewport.FrustumVolume.Top, 1, 1e-12);
    EXPECT_EQ(viewport.FrustumVolume.Near, 1);
    EXPECT_EQ(viewport.FrustumVolume.Far, 100);

    viewport.Perspective = false;
    viewport.SetPerspective(60, 2, 10, 1000);
    EXPECT_FALSE(viewport.Perspective);
    EXPECT_NEAR(viewport.FrustumVolume.Top, 5.7735, 1e-4);
    EXPECT_NEAR(viewport.FrustumVolume.Right, 11.547, 1e-3);
    EXPECT_NEAR(viewport.FrustumVolume.Left, -11.547, 1e-3);
}

TEST(TGLViewport, ApplySendsRectangleProjectionAndSwitchesInOrder) {
    gltest::RecordingGL gl;
    TGLViewport viewport;
    viewport.SetBounds(0, 0, 640, 480);
    viewport.SetFrustum(-2, 2, -1.5, 1.5, 1, 50);
    viewport.Lighting = true;
    viewport.Apply();
    const Lines expected = {
        "glViewport(0, 0, 640, 480)",
        "glMatrixMode(GL_PROJECTION)",
        "glLoadIdentity()",
        "glFrustum(-2, 2, -1.5, 1.5, 1, 50)",
        "glPolygonMode(GL_FRONT_AND_BACK, GL_FILL)",
        "glShadeModel(GL_SMOOTH)",
        "glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST)",
        "glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST)",
        "glDisable(GL_POLYGON_SMOOTH)",
        "glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST)",
        "glDisable(GL_LINE_SMOOTH)",
        "glHint(GL_POINT_SMOOTH_HINT, GL_FASTEST)",
        "glDisable(GL_POINT_SMOOTH)",
        "glEnable(GL_LIGHTING)",
        "glDisable(GL_DITHER)",
        "glMatrixMode(GL_MODELVIEW)",
    };
    EXPECT_EQ(gl.calls(), expected);
}

TEST(TGLViewport, ApplyWithoutPerspectiveSendsTheBoxAndTheOtherSwitches) {
    gltest::RecordingGL gl;
    TGLViewport viewport;
    viewport.SetPerspective(45, 1.5, 1, 10);
    viewport.SetOrtho(0, 320, 0, 200, -1, 1);
    viewport.Perspective = false;
    viewport.PerspectiveCorrection = false;
    viewport.PolygonMode = 1;
    viewport.ShadeModel = 0;
    viewport.Smooth = true;
    viewport.Dither = true;
    viewport.Apply();
    const Lines& calls = gl.calls();
    ASSERT_EQ(calls.size(), 16u);
    EXPECT_EQ(calls[3], "glOrtho(0, 320, 0, 200, -1, 1)");
    EXPECT_EQ(calls[4], "glPolygonMode(GL_FRONT_AND_BACK, GL_LINE)");
    EXPECT_EQ(calls[5], "glShadeModel(GL_FLAT)");
    EXPECT_EQ(calls[6], "glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST)");
    EXPECT_EQ(calls[7], "glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST)");
    EXPECT_EQ(calls[8], "glEnable(GL_POLYGON_SMOOTH)");
    EXPECT_EQ(calls[12], "glEnable(GL_POINT_SMOOTH)");
    EXPECT_EQ(calls[13], "glDisable(GL_LIGHTING)");
    EXPECT_EQ(calls[14], "glEnable(GL_DITHER)");
}

TEST(TGLLight, AFreshLightSendsEveryDefaultOnEnable) {
    gltest::RecordingGL gl;
    TGLLight light;
    light.Enable();
    const Lines expected = {
        "glLightfv(GL_LIGHT0, GL_AMBIENT, {0, 0, 0, 1})",   "glLightfv(GL_LIGHT0, GL_DIFFUSE, {1, 1, 1, 1})",
        "glLightfv(GL_LIGHT0, GL_SPECULAR, {1, 1, 1, 1})",  "glLightfv(GL_LIGHT0, GL_POSITION, {0, 0, 1, 0})",
        "glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 0)",         "glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180)",
        "glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0)",    "glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0)",
        "glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1)",  "glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0)",
        "glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0)", "glEnable(GL_LIGHT0)",
    };
    EXPECT_EQ(gl.calls(), expected);
    EXPECT_EQ(light.Changes(), 0u);
}

TEST(TGLLight, UpdateSendsOnlyWhatChanged) {
    gltest::RecordingGL gl;
    TGLLight light;
    light.Update();
    gl.clear();

    light.Update();
    EXPECT_TRUE(gl.calls().empty());

    light.SetDiffuse({0.5f, 0.25f, 1, 1});
    light.Update();
    EXPECT_EQ(gl.calls(), Lines{"glLightfv(GL_LIGHT0, GL_DIFFUSE, {0.5, 0.25, 1, 1})"});
    gl.clear();

    // A spot direction means nothing to a directional light: it moves the light instead.
    light.SetDirection({1, -2, 0});
    light.Update();
    EXPECT_EQ(gl.calls(), Lines{"glLightfv(GL_LIGHT0, GL_POSITION, {-1, 2, 0, 0})"});
    gl.clear();

    light.SetTwoSide(true);
    light.SetQuadraticAttenuation(0.5f);
    light.Update();
    EXPECT_EQ(gl.calls(), (Lines{"glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1)",
                                 "glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.5)"}));
}

TEST(TGLLight, APositionalLightSendsPositionThenSpotDirection) {
    gltest::RecordingGL gl;
    TGLLight light;
    light.Update();
    gl.clear();
    light.SetPosition({1, 2, 3});
    light.SetDirectional(false);
    light.Update();
    // Direction did not change, so no spot direction yet.
    EXPECT_EQ(gl.calls(), Lines{"glLightfv(GL_LIGHT0, GL_POSITION, {1, 2, 3, 1})"});
    gl.clear();

    light.SetDirection({0, -1, 0});
    light.Update();
    EXPECT_EQ(gl.calls(), Lines{"glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, {0, -1, 0})"});
    gl.clear();

    light.UpdateAll();
    EXPECT_EQ(gl.calls().size(), 12u); // three colours, position, spot direction, seven scalars
    EXPECT_EQ(gl.calls()[4], "glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, {0, -1, 0})");
}

TEST(TGLLight, ANewNumberResendsEverythingToThatLight) {
    gltest::RecordingGL gl;
    TGLLight light;
    light.Update();
    gl.clear();
    light.SetNumber(1);
    light.Update();
    ASSERT_EQ(gl.calls().size(), 11u);
    for (const std::string& line : gl.calls()) {
        const bool lightModel = line.rfind("glLightModeli", 0) == 0;
        EXPECT_TRUE(lightModel || line.find("GL_LIGHT1,") != std::string::npos) << line;
    }
}

TEST(TGLMaterial, AFreshMaterialSendsItsDefaultsForFrontFaces) {
    gltest::RecordingGL gl;
    TGLMaterial material;
    material.Update();
    const Lines expected = {
        "glMaterialfv(GL_FRONT, GL_AMBIENT, {0.2, 0.2, 0.2, 1})",
        "glMaterialfv(GL_FRONT, GL_DIFFUSE, {0.8, 0.8, 0.8, 1})",
        "glMaterialfv(GL_FRONT, GL_SPECULAR, {0, 0, 0, 0})",
        "glMaterialfv(GL_FRONT, GL_EMISSION, {0, 0, 0, 0})",
        "glMaterialf(GL_FRONT, GL_SHININESS, 0)",
    };
    EXPECT_EQ(gl.calls(), expected);
    gl.clear();
    material.Update();
    EXPECT_TRUE(gl.calls().empty());
    material.SetShininess(32);
    material.Update();
    EXPECT_EQ(gl.calls(), Lines{"glMaterialf(GL_FRONT, GL_SHININESS, 32)"});
}

TEST(TGLMaterial, FaceSelectionPicksTheFaceAndResendsEverything) {
    gltest::RecordingGL gl;
    TGLMaterial material;
    material.Update();
    gl.clear();

    material.SetBackFace(true);
    material.Update();
    ASSERT_EQ(gl.calls().size(), 5u);
    EXPECT_EQ(gl.calls()[0], "glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, {0.2, 0.2, 0.2, 1})");
    gl.clear();

    material.SetFrontFace(false);
    material.SetBackFace(false);
    material.Update();
    ASSERT_EQ(gl.calls().size(), 5u);
    EXPECT_EQ(gl.calls()[4], "glMaterialf(GL_BACK, GL_SHININESS, 0)");
}

// A material that reports when it is freed.
struct WatchedMaterial : TGLMaterial {
    explicit WatchedMaterial(bool& freed) : freed(freed) {}
    ~WatchedMaterial() override { freed = true; }
    bool& freed;
};

TEST(TGLMaterialList, SharedMaterialsLiveUntilTheLastListLetsGo) {
    bool freed = false;
    auto* material = new WatchedMaterial(freed);
    TGLMaterialList first;
    TGLMaterialList second;
    first.Add(material);
    second.Add(material);
    EXPECT_EQ(material->RefCount, 2);
    EXPECT_EQ(first.Items(0), material);
    first.Clear();
    EXPECT_EQ(first.Count(), 0);
    EXPECT_FALSE(freed);
    second.Clear();
    EXPECT_TRUE(freed);
}

TEST(TGLMaterialList, RefusesNilAndBadIndices) {
    TGLMaterialList list;
    list.Add(new TGLMaterial);
    try {
        list.Add(nullptr);
        FAIL() << "adding nothing was accepted";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "TGLMaterialList error: Add NIL Material!");
    }
    EXPECT_EQ(list.Count(), 1);
    try {
        list.Items(1);
        FAIL() << "index 1 of a one-item list was accepted";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.Items(-1), quillaby::Error);
}

} // namespace
