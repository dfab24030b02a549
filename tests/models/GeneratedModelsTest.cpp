// The models the program carries import as the scene expects them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/AnimClasses.h"
#include "geometry/File3DM.h"
#include "geometry/GLVertexAnimation.h"
#include "geometry/LoadMFL.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTexture.h"
#include "gl/TGLTextureList.h"

namespace {

TLoadSettings ProgramSettings() {
    TLoadSettings settings;
    settings.LoadFromResources = true;
    return settings;
}

std::string WaveName(int i) {
    return "DollarsWave" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "f.3dm";
}

// Face corners of every object, counted from the file itself.
int FaceCorners(const std::string& name) {
    T3DMFile file;
    file.FromResource = true;
    file.LoadFromFile(name);
    int corners = 0;
    for (int i = 0; i < file.ObjectCount(); ++i) corners += 3 * file.Objects(i).VertexFaces.Count();
    return corners;
}

// The mean normal of a primitive, normalized.
TGLVector MeanNormal(const TGLPrimitive& p) {
    TGLVector sum{0, 0, 0};
    for (int i = 0; i < p.Normals.Count(); ++i) {
        const TGLVector n = p.Normals.GetItem(i);
        sum = {sum.X + n.X, sum.Y + n.Y, sum.Z + n.Z};
    }
    const float length = std::sqrt(sum.X * sum.X + sum.Y * sum.Y + sum.Z * sum.Z);
    return length > 0 ? TGLVector{sum.X / length, sum.Y / length, sum.Z / length} : sum;
}

TEST(GeneratedModels, TheBanknote) {
    const auto p = LoadPrimitive("Dollaro00f.3dm", ProgramSettings());
    ASSERT_NE(p, nullptr);
    const std::vector<int32_t> indices(p->Indices.Items(), p->Indices.Items() + p->Indices.Count());
    EXPECT_EQ(indices, (std::vector<int32_t>{0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4}));
    EXPECT_EQ(p->Vertices.Count(), 8);

    TGLTextureList textures;
    TGLMaterialList materials;
    TGLPrimitiveList primitives;
    LoadModel("Dollaro00f.3dm", textures, materials, primitives, ProgramSettings());
    EXPECT_EQ(primitives.Count(), 1);
    ASSERT_EQ(materials.Count(), 1);
    EXPECT_NEAR(materials.Items(0)->Shininess(), 3.2f, 1e-4f);
    ASSERT_EQ(textures.Count(), 1);
    EXPECT_EQ(textures.Items(0)->Width(), 256);
}

TEST(GeneratedModels, TheBubbleStaysInTheXYPlaneFacingTheCamera) {
    const auto p = LoadPrimitive("Puzir00f.3dm", ProgramSettings());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Vertices.Count(), 4);
    for (int i = 0; i < p->Vertices.Count(); ++i) {
        EXPECT_NEAR(p->Vertices.GetItem(i).Z, 0, 1e-4f) << i;
        EXPECT_NEAR(p->Normals.GetItem(i).Z, 1, 1e-5f) << i;
    }
}

TEST(GeneratedModels, TheBottomFacesUp) {
    const auto p = LoadPrimitive("dnoK00f.3dm", ProgramSettings());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Indices.Count(), FaceCorners("dnoK00f.3dm"));
    EXPECT_GT(p->Vertices.Count(), 1000);
    EXPECT_EQ(p->TexCoords.Count(), p->Vertices.Count());
    EXPECT_GT(MeanNormal(*p).Y, 0.99f);
}

TEST(GeneratedModels, EveryWaveFrameHasTheSameShape) {
    TGLPrimitiveList first;
    LoadPrimitiveList(WaveName(0), first, ProgramSettings());
    ASSERT_GE(first.Count(), 1);
    for (int i = 0; i <= 10; ++i) {
        TGLPrimitiveList frame;
        LoadPrimitiveList(WaveName(i), frame, ProgramSettings());
        ASSERT_EQ(frame.Count(), first.Count()) << WaveName(i);
        int corners = 0;
        for (int k = 0; k < frame.Count(); ++k) {
            EXPECT_EQ(frame.Items(k)->Vertices.Count(), first.Items(k)->Vertices.Count()) << WaveName(i);
            corners += frame.Items(k)->Indices.Count();
        }
        EXPECT_EQ(corners, FaceCorners(WaveName(i)));
    }
}

TEST(GeneratedModels, TheWavingListLoadsElevenKeysAndPlays) {
    TGLTextureList textures;
    TGLMaterialList materials;
    TAnimationList animations;
    TGLPrimitiveList primitives;
    LoadMFL("DollarsWave.mfl", textures, materials, animations, primitives, ProgramSettings());
    ASSERT_GE(primitives.Count(), 1);
    ASSERT_EQ(animations.Count(), primitives.Count());
    for (int i = 0; i < animations.Count(); ++i) {
        auto* a = dynamic_cast<TGLVertexAnimation*>(animations.Items(i));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Primitive, primitives.Items(i));
        EXPECT_TRUE(a->Looped());
        ASSERT_EQ(a->KeyCount(), 11);
        EXPECT_NEAR(static_cast<double>(a->GetKey(5)->Time), 1.0, 1e-12);
        EXPECT_NEAR(static_cast<double>(a->EndTime()), 2.0, 1e-12);
    }
    // The wave moves the mesh: a pose between keys differs from the first pose.
    TGLPrimitive& mesh = *primitives.Items(0);
    auto* wave = dynamic_cast<TGLVertexAnimation*>(animations.Items(0));
    const TGLVectorDArray& firstPose = dynamic_cast<const TGLVertexKey&>(*wave->GetKey(0)).Vertices;
    animations.Start(10);
    animations.Update(10.5L);
    float moved = 0;
    for (int v = 0; v < mesh.Vertices.Count(); ++v) {
        const TGLVector a = mesh.Vertices.GetItem(v), b = firstPose.GetItem(v);
        moved = std::max(moved, std::fabs(a.X - b.X) + std::fabs(a.Y - b.Y) + std::fabs(a.Z - b.Z));
    }
    EXPECT_GT(moved, 1.0f);
}

} // namespace
