// The embedded models as the scene gets them from the program's importer: the notes' two sides
// lit from their own side, the bubble facing the camera, the bottom facing up, and the waving
// note as one looping vertex animation over one primitive.
#include "assets/LoadSettings.h"
#include "geometry/AnimClasses.h"
#include "geometry/LoadMFL.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTextureList.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

TLoadSettings programResources() {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    return settings;
}

} // namespace

TEST(ImportedAssets, BanknoteSidesFaceTheirOwnWay) {
    std::unique_ptr<TGLPrimitive> note = LoadPrimitive("Dollaro00f.3dm", programResources());
    ASSERT_NE(note, nullptr);
    ASSERT_EQ(note->Vertices.Count(), 8);
    std::vector<int32_t> indices(note->Indices.Items(), note->Indices.Items() + note->Indices.Count());
    EXPECT_EQ(indices, (std::vector<int32_t>{0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4}));
    for (int i = 0; i < 8; ++i) {
        TGLVector v = note->Vertices.GetItem(i), n = note->Normals.GetItem(i);
        EXPECT_NEAR(std::fabs(v.X), 512, 1e-3);
        EXPECT_NEAR(std::fabs(v.Y), 215, 1e-3);
        EXPECT_NEAR(v.Z, 0, 1.5);
        EXPECT_NEAR(n.Z, i < 4 ? 1 : -1, 1e-3) << "vertex " << i;
    }
}

TEST(ImportedAssets, BubbleStandsInTheViewPlaneAndBottomFacesUp) {
    std::unique_ptr<TGLPrimitive> bubble = LoadPrimitive("Puzir00f.3dm", programResources());
    ASSERT_NE(bubble, nullptr);
    ASSERT_EQ(bubble->Vertices.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(bubble->Vertices.GetItem(i).Z, 0, 1e-3);
        EXPECT_NEAR(bubble->Normals.GetItem(i).Z, 1, 1e-3);
    }

    std::unique_ptr<TGLPrimitive> bottom = LoadPrimitive("dnoK00f.3dm", programResources());
    ASSERT_NE(bottom, nullptr);
    for (int i = 0; i < bottom->Vertices.Count(); ++i) {
        ASSERT_NEAR(bottom->Vertices.GetItem(i).Y, 0, 1e-3);
        ASSERT_NEAR(bottom->Normals.GetItem(i).Y, 1, 1e-3);
    }
}

TEST(ImportedAssets, WavingNoteIsOneLoopingAnimationOverOnePrimitive) {
    TGLTextureList textures;
    TGLMaterialList materials;
    TAnimationList animations;
    TGLPrimitiveList primitives;
    LoadMFL("DollarsWave.mfl", textures, materials, animations, primitives, programResources());
    ASSERT_EQ(primitives.Count(), 1);
    ASSERT_EQ(animations.Count(), 1);
    EXPECT_EQ(textures.Count(), 1) << "dollar.jpg";
    auto* wave = dynamic_cast<TKeyAnimation*>(animations.Items(0));
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->KeyCount(), 11);
    EXPECT_TRUE(wave->Looped());
    EXPECT_DOUBLE_EQ(static_cast<double>(wave->Duration()), 2.0);

    // Half a period on, the note has moved; a whole period on, it is back where it started.
    TGLPrimitive* note = primitives.Items(0);
    auto pose = [&](double clock) {
        animations.Update(clock);
        std::vector<float> z;
        for (int i = 0; i < note->Vertices.Count(); ++i) z.push_back(note->Vertices.GetItem(i).Z);
        return z;
    };
    animations.Start(0);
    std::vector<float> start = pose(0.1), half = pose(1.1), whole = pose(2.1);
    float halfMove = 0, wholeMove = 0;
    for (std::size_t i = 0; i < start.size(); ++i) {
        halfMove = std::max(halfMove, std::fabs(half[i] - start[i]));
        wholeMove = std::max(wholeMove, std::fabs(whole[i] - start[i]));
    }
    EXPECT_GT(halfMove, 20);
    EXPECT_LT(wholeMove, 0.5f);
}
