// MFL key-frame lists and the vertex animation they build.
#include <gtest/gtest.h>

#include <memory>

#include "base/Error.h"
#include "geometry/GLVertexAnimation.h"
#include "geometry/LoadMFL.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTextureList.h"
#include "models/MemoryResources.h"
#include "models/ModelText.h"

namespace {

using namespace modeltext;

// One triangle whose first vertex sits at x = Shift; with Extra a second object adds a primitive,
// with ExtraVertex a second triangle adds a fourth vertex.
std::string Frame(Single shift, bool extra = false, bool extraVertex = false) {
    std::vector<TGLVector> v = {{shift, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    if (extraVertex) v.push_back({5, 5, 5});
    std::string s = Object("A") + Vertices(v) +
                    (extraVertex ? Faces("VertexFaces", {{1, 2, 3}, {1, 2, 4}}) + FaceMatIDs({1, 1})
                                 : Faces("VertexFaces", {{1, 2, 3}}) + FaceMatIDs({1}));
    if (extra) s += Object("B") + Vertices(v) + Faces("VertexFaces", {{1, 2, 3}}) + FaceMatIDs({1});
    return s;
}

class LoadMFLTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resources = std::make_shared<MemoryResources>();
        settings.LoadFromResources = true;
        settings.Resources = resources;
        resources->Put("F0.3dm", Frame(0));
        resources->Put("F1.3dm", Frame(-1));
        resources->Put("F2.3dm", Frame(-3));
    }
    void Load(const std::string& list) {
        resources->Put("List.mfl", list);
        LoadMFL("List.mfl", textures, materials, animations, primitives, settings);
    }
    std::string ErrorOf(const std::string& list) {
        try {
            Load(list);
        } catch (const quillaby::Error& e) {
            return e.what();
        }
        return "";
    }
    Single FirstX() const { return primitives.Items(0)->Vertices.GetItem(0).X; }

    std::shared_ptr<MemoryResources> resources;
    TLoadSettings settings;
    TGLTextureList textures;
    TGLMaterialList materials;
    TAnimationList animations;
    TGLPrimitiveList primitives;
};

TEST_F(LoadMFLTest, OneAnimationPerPrimitiveWithAKeyPerLine) {
    Load("1 1.0\r\n0.0 F0.3dm\r\n\r\n1.0 F1.3dm\r\n   \r\n2.0 F2.3dm\r\n");
    ASSERT_EQ(primitives.Count(), 1);
    ASSERT_EQ(animations.Count(), 1);
    auto* a = dynamic_cast<TGLVertexAnimation*>(animations.Items(0));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Primitive, primitives.Items(0));
    EXPECT_TRUE(a->Looped());
    EXPECT_EQ(a->KeyCount(), 3);
    EXPECT_EQ(a->EndTime(), 2);

    animations.Start(10);
    animations.Update(10.5L);
    EXPECT_NEAR(FirstX(), -0.5f, 1e-6f);
    animations.Update(11.5L);
    EXPECT_NEAR(FirstX(), -2.0f, 1e-6f);
    animations.Update(12.25L); // looped: 0.25
    EXPECT_NEAR(FirstX(), -0.25f, 1e-6f);
    // The other vertices never moved.
    EXPECT_FLOAT_EQ(primitives.Items(0)->Vertices.GetItem(1).X, 1);
}

TEST_F(LoadMFLTest, OnlyTheFirstLineLoadsNothing) {
    primitives.Add(new TGLPrimitive);
    Load("1 1.0\r\n");
    EXPECT_EQ(animations.Count(), 0);
    EXPECT_EQ(primitives.Count(), 1);
}

TEST_F(LoadMFLTest, AFrameOfAnotherVertexCountLeavesThePrimitiveAlone) {
    resources->Put("Odd.3dm", Frame(-7, false, true));
    Load("0\n0.0 F0.3dm\n1.0 Odd.3dm\n2.0 F2.3dm\n3.0 Odd.3dm\n");
    animations.Start(0);
    animations.Update(0.5L); // between F0 and Odd: unchanged
    EXPECT_FLOAT_EQ(FirstX(), 0);
    EXPECT_EQ(primitives.Items(0)->Vertices.Count(), 3);
    animations.Update(1.0L); // Odd alone: its vertices do not fit, unchanged
    EXPECT_FLOAT_EQ(FirstX(), 0);
    EXPECT_EQ(primitives.Items(0)->Vertices.Count(), 3);
    animations.Update(9); // stops on the last key, Odd: not copied over the primitive's three
    EXPECT_TRUE(animations.Items(0)->Stopped());
    EXPECT_FLOAT_EQ(FirstX(), 0);
    EXPECT_EQ(primitives.Items(0)->Vertices.Count(), 3);
}

TEST_F(LoadMFLTest, MalformedListsNameTheLine) {
    EXPECT_EQ(ErrorOf("x 1.0\n0.0 F0.3dm\n"), "List.mfl (line 1): 'x' is not a valid integer value");
    EXPECT_EQ(ErrorOf("1\n0,0 F0.3dm\n"), "List.mfl (line 2): '0,0' is not a valid floating point value");
    EXPECT_EQ(ErrorOf("1\n0.0 F0.3dm\n\n1.0\n"), "List.mfl (line 4): '1.0' names no model");
    EXPECT_EQ(ErrorOf("1\n0.0 F0.3dm\n1.0 Missing.3dm\n"), "Resource Missing_3dm not found");
}

TEST_F(LoadMFLTest, ALaterFrameWithMorePrimitivesIsAnErrorThatKeepsWhatWasBuilt) {
    resources->Put("Two.3dm", Frame(0, true));
    EXPECT_EQ(ErrorOf("1\n0.0 F0.3dm\n1.0 Two.3dm\n"),
              "List.mfl (line 3): 'Two.3dm' gives 2 primitives, the first model 1");
    EXPECT_EQ(animations.Count(), 1);
    EXPECT_EQ(primitives.Count(), 1);
    settings.LoadFromResources = false;
    settings.ModelDirectory = "/no/such/dir/";
    EXPECT_EQ(ErrorOf("ignored"), "Cannot open file /no/such/dir/List.mfl");
}

TEST(GLVertexAnimation, KeysOfAnotherKindShowNothing) {
    TGLPrimitive primitive;
    primitive.Vertices.SetCount(1);
    TGLVertexAnimation a;
    a.Primitive = &primitive;
    a.AddKey(0).SetCount(1);
    a.Add(std::make_unique<TAnimationKey>(), 1);
    a.AddKey(2).SetFromArray(std::vector<Single>{4, 0, 0});
    a.Start(0);
    a.Update(0.5L); // between the vertex key and the plain key
    EXPECT_FLOAT_EQ(primitive.Vertices.GetItem(0).X, 0);
    a.Update(1.5L); // between the plain key and the last vertex key
    EXPECT_FLOAT_EQ(primitive.Vertices.GetItem(0).X, 0);
    a.Update(3); // on the last key alone
    EXPECT_FLOAT_EQ(primitive.Vertices.GetItem(0).X, 4);
}

} // namespace
