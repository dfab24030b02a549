// Model import: vertex numbering, grouping by material id, the axis turn, materials, textures.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "assets/ImageFiles.h"
#include "base/Error.h"
#include "geometry/File3DM.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTexture.h"
#include "gl/TGLTextureList.h"
#include "models/MemoryResources.h"
#include "models/ModelText.h"

namespace {

using namespace modeltext;

std::vector<int32_t> IndicesOf(const TGLPrimitive& p) {
    return std::vector<int32_t>(p.Indices.Items(), p.Indices.Items() + p.Indices.Count());
}

void ExpectNear(const TGLVector& a, const TGLVector& b, float tolerance = 1e-4f) {
    EXPECT_NEAR(a.X, b.X, tolerance);
    EXPECT_NEAR(a.Y, b.Y, tolerance);
    EXPECT_NEAR(a.Z, b.Z, tolerance);
}

void ExpectColor(const TGLColor& c, float r, float g, float b, float a, float tolerance = 1e-3f) {
    EXPECT_NEAR(c.R, r, tolerance);
    EXPECT_NEAR(c.G, g, tolerance);
    EXPECT_NEAR(c.B, b, tolerance);
    EXPECT_NEAR(c.A, a, tolerance);
}

// Models read from memory through the load settings, as the program reads its resources.
class ModelImport : public ::testing::Test {
  protected:
    void SetUp() override {
        resources = std::make_shared<MemoryResources>();
        settings.LoadFromResources = true;
        settings.Resources = resources;
    }
    std::unique_ptr<T3DMFile> Read(const std::string& text) {
        auto file = std::make_unique<T3DMFile>();
        file->LoadFromText(text, "test.3dm");
        return file;
    }
    std::string ErrorOf(auto&& operation) {
        try {
            operation();
        } catch (const quillaby::Error& e) {
            return e.what();
        }
        return "";
    }

    std::shared_ptr<MemoryResources> resources;
    TLoadSettings settings;
};

TEST_F(ModelImport, TheBanknoteGivesEightVerticesAndItsIndices) {
    resources->Put("Dollaro00f.3dm", Banknote());
    const std::unique_ptr<TGLPrimitive> p = LoadPrimitive("Dollaro00f.3dm", settings);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(IndicesOf(*p), (std::vector<int32_t>{0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4}));
    ASSERT_EQ(p->Colors.Count(), 1);
    ExpectColor(p->Colors.GetItem(0), 1, 1, 1, 1, 0);
    // Vertex 2 is position 4 with texture coordinate 4: (1, 0.5).
    EXPECT_FLOAT_EQ(p->TexCoords.GetItem(2).U, 1);
    EXPECT_FLOAT_EQ(p->TexCoords.GetItem(2).V, 0.5f);
    ExpectNear(p->Vertices.GetItem(2), {512, 215, 0});
    // No transform: not turned; the front faces +z, the back -z.
    ASSERT_EQ(p->Normals.Count(), 8);
    ExpectNear(p->Normals.GetItem(0), {0, 0, 1});
    ExpectNear(p->Normals.GetItem(4), {0, 0, -1});
}

TEST_F(ModelImport, ATextureCoordinateSplitsAPositionAndTheFirstColourWins) {
    const std::string text =
        Object("A") + Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}) +
        Section("TextureCoords", {"[0,0,0]", "[1,0,0]", "[0,1,0]", "[0.25,0,0]", "[0.5,0,0]"}) +
        Section("Colors", {"(color 255 0 0)", "(color 0 255 0)"}) +
        Faces("VertexFaces", {{1, 2, 3}, {1, 3, 4}, {1, 4, 2}}) +
        Faces("TextureCoordFaces", {{3, 1, 1}, {5, 1, 1}, {3, 1, 1}}) +
        Faces("ColorFaces", {{1, 1, 1}, {1, 1, 1}, {2, 2, 2}});
    const auto p = PrimitiveFrom3DMObject(Read(text)->Objects(0));
    // Position 1 with coordinate 3, positions 2 and 3 with 1, position 1 again with 5, position 4 with 1.
    EXPECT_EQ(IndicesOf(*p), (std::vector<int32_t>{0, 1, 2, 3, 2, 4, 0, 4, 1}));
    ASSERT_EQ(p->Vertices.Count(), 5);
    ExpectNear(p->Vertices.GetItem(3), {0, 0, 0});
    EXPECT_FLOAT_EQ(p->TexCoords.GetItem(3).U, 0.5f);
    ASSERT_EQ(p->Colors.Count(), 5);
    ExpectColor(p->Colors.GetItem(0), 1, 0, 0, 1); // the third face's colour 2 does not split it
    ExpectColor(p->Colors.GetItem(4), 1, 0, 0, 1);
}

TEST_F(ModelImport, TheObjectTransformThenTheTurnFromZUpToYUp) {
    const std::string triangle =
        Object("A") + Vertices({{1, 2, 3}, {0, 0, 0}, {1, 0, 0}}) + Faces("VertexFaces", {{1, 2, 3}});
    auto p = PrimitiveFrom3DMObject(
        Read(triangle + Section("Transform", {"(matrix3 [1,0,0] [0,1,0] [0,0,1] [10,20,30])"}))->Objects(0));
    // Translated first, then (x, y, z) -> (x, z, -y).
    ExpectNear(p->Vertices.GetItem(0), {11, 33, -22});
    // The bubble's axes take (x, y, z) to (x, -z, y) and the turn takes it back.
    p = PrimitiveFrom3DMObject(
        Read(triangle +
             Section("Transform", {"Position [0,0,0]", "(matrix3 [1,0,0] [0,0,1] [0,-1,0] [0,0,0])"}))
            ->Objects(0));
    ExpectNear(p->Vertices.GetItem(0), {1, 2, 3});
    ExpectNear(p->Vertices.GetItem(2), {1, 0, 0});
}

TEST_F(ModelImport, FacesAreGroupedByMaterialIdInAscendingOrder) {
    const std::string base = Object("A") + Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 2, 0}}) +
                             Faces("VertexFaces", {{1, 2, 3}, {2, 4, 3}, {3, 4, 5}});
    TGLPrimitiveList list;
    PrimitiveListFrom3DMObject(Read(base + FaceMatIDs({2, 1, 2}))->Objects(0), list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(IndicesOf(*list.Items(0)), (std::vector<int32_t>{0, 1, 2}));
    ExpectNear(list.Items(0)->Vertices.GetItem(0), {1, 0, 0});
    EXPECT_EQ(IndicesOf(*list.Items(1)), (std::vector<int32_t>{0, 1, 2, 2, 3, 4}));
    EXPECT_EQ(list.Items(1)->Vertices.Count(), 5);

    list.Clear();
    PrimitiveListFrom3DMObject(Read(base)->Objects(0), list); // no material ids: no primitive
    EXPECT_EQ(list.Count(), 0);
    PrimitiveListFrom3DMObject(Read(base + FaceMatIDs({1000, 0, 7}))->Objects(0), list);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(ErrorOf([&] {
                  PrimitiveListFrom3DMObject(Read(base + FaceMatIDs({1, 1001, 1}))->Objects(0), list);
              }),
              "PrimitiveListFrom3DMObject error: FaceID>1000");
    EXPECT_EQ(ErrorOf([&] {
                  PrimitiveListFrom3DMObject(Read(base + FaceMatIDs({1, -1, 1}))->Objects(0), list);
              }),
              "List index out of bounds (-1)");
    // More ids than faces: the id names a face that does not exist.
    EXPECT_EQ(ErrorOf([&] {
                  PrimitiveListFrom3DMObject(Read(base + FaceMatIDs({1, 1, 1, 1}))->Objects(0), list);
              }),
              "Model import error: object 'A' has no face 3");
}

TEST_F(ModelImport, TextureAndColourReferencesThatNameNothingAreErrors) {
    const std::string head =
        Object("A") + Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}) + Faces("VertexFaces", {{1, 2, 3}});
    const auto import = [&](const std::string& text) {
        PrimitiveFrom3DMObject(Read(head + text)->Objects(0));
    };
    const std::string coords = Section("TextureCoords", {"[0,0,0]"});
    EXPECT_EQ(ErrorOf([&] {
                  import(coords + Faces("TextureCoordFaces", {{ 1, 1, 2 }}));
              }),
              "Model import error: object 'A' face 0 names texture coordinate 2 of 1");
    EXPECT_EQ(ErrorOf([&] { import(coords); }),
              "Model import error: object 'A' has no texture face for face 0");
    EXPECT_EQ(ErrorOf([&] {
                  import(Section("Colors", {"(color 1 2 3)"}) + Faces("ColorFaces", {{ 1, 9, 1 }}));
              }),
              "Model import error: object 'A' face 0 names colour 9 of 1");
}

TEST_F(ModelImport, TheBanknoteMaterial) {
    const auto file = Read(Banknote());
    const auto* standard = dynamic_cast<const T3DMMaterialStandard*>(file->Materials().Items(0));
    ASSERT_NE(standard, nullptr);
    const auto m = MaterialFrom3DMStandard(*standard);
    ExpectColor(m->Ambient(), 0.0889f, 0.0641f, 0.1817f, 1);
    ExpectColor(m->Diffuse(), 0.498f, 0.498f, 0.498f, 1);
    ExpectColor(m->Specular(), 0.518f, 0.518f, 0.518f, 1);
    ExpectColor(m->Emission(), 0, 0, 0, 1);
    EXPECT_NEAR(m->Shininess(), 3.2f, 1e-5f);
    EXPECT_TRUE(m->FrontFace());
    EXPECT_FALSE(m->BackFace());
    EXPECT_EQ(DiffuseMapName(*standard), "");
}

TEST_F(ModelImport, AFileWithoutObjectsGivesNothingAndTouchesNoList) {
    resources->Put("Empty.3dm", Section("Header", {"Version 1"}) + Section("MaterialStandard", {"Name M"}));
    EXPECT_EQ(LoadPrimitive("Empty.3dm", settings), nullptr);
    TGLTextureList textures;
    TGLMaterialList materials;
    TGLPrimitiveList primitives;
    materials.Add(new TGLMaterial);
    primitives.Add(new TGLPrimitive);
    LoadModel("Empty.3dm", textures, materials, primitives, settings);
    EXPECT_EQ(materials.Count(), 1);
    EXPECT_EQ(primitives.Count(), 1);
}

TEST_F(ModelImport, ObjectsAreMergedIntoOnePrimitive) {
    resources->Put("Two.3dm", Object("A") + Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}) +
                                  Faces("VertexFaces", {{1, 2, 3}}) + Object("B") +
                                  Vertices({{5, 0, 0}, {6, 0, 0}, {5, 1, 0}, {6, 1, 0}}) +
                                  Faces("VertexFaces", {{1, 2, 3}, {2, 4, 3}}));
    const auto p = LoadPrimitive("Two.3dm", settings);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Vertices.Count(), 7);
    EXPECT_EQ(IndicesOf(*p), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 4, 6, 5}));
}

TEST_F(ModelImport, LoadModelFillsMaterialsAndTexturesInMaterialOrder) {
    testimages::BmpSpec bmp;
    bmp.rows = {{0, 0, 255, 0, 255, 0}, {255, 0, 0, 255, 255, 255}};
    const testimages::Bytes bytes = testimages::MakeBmp(bmp);
    resources->Put("map.bmp", std::string(bytes.begin(), bytes.end()));
    const std::string text = Section("MaterialMultiSubObject", {"Name Multi", "NumSubs 2"}) +
                             Section("MaterialStandard", {"Name S1", "DiffuseMap map.bmp", "Opacity 100"}) +
                             Section("MaterialStandard", {"Name S2", "TwoSided true"}) +
                             Section("MaterialStandard", {"Name Top", "DiffuseMap map.bmp"}) + Object("A") +
                             Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}) + Faces("VertexFaces", {{1, 2, 3}}) +
                             FaceMatIDs({1});
    resources->Put("Model.3dm", text);
    TGLTextureList textures;
    TGLMaterialList materials;
    TGLPrimitiveList primitives;
    primitives.Add(new TGLPrimitive); // cleared by the load
    LoadModel("Model.3dm", textures, materials, primitives, settings);
    EXPECT_EQ(primitives.Count(), 1);
    ASSERT_EQ(materials.Count(), 3);
    EXPECT_TRUE(materials.Items(1)->BackFace()); // S2
    EXPECT_FALSE(materials.Items(2)->BackFace());
    ASSERT_EQ(textures.Count(), 2); // S1 and Top have maps, S2 none
    EXPECT_EQ(textures.Items(0)->Width(), 2);

    // A map of a kind LoadTexture does not read yields none, which the list refuses.
    resources->Put("Png.3dm", Section("MaterialStandard", {"Name P", "DiffuseMap map.png"}) + Object("A"));
    EXPECT_EQ(ErrorOf([&] { LoadModel("Png.3dm", textures, materials, primitives, settings); }),
              "TGLTextureList error: Add NIL Texture!");
}

TEST_F(ModelImport, LoadPrimitiveListReplacesTheListAndReadsTheModelDirectory) {
    resources->Put("Dollaro00f.3dm", Banknote());
    TGLPrimitiveList list;
    list.Add(new TGLPrimitive);
    list.Add(new TGLPrimitive);
    settings.ModelDirectory = "/ignored/for/resources/";
    LoadPrimitiveList("Dollaro00f.3dm", list, settings);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->Vertices.Count(), 8);

    settings.LoadFromResources = false;
    settings.ModelDirectory = "/no/such/dir/";
    EXPECT_EQ(ErrorOf([&] { LoadPrimitiveList("Dollaro00f.3dm", list, settings); }),
              "Cannot open file /no/such/dir/Dollaro00f.3dm");
    EXPECT_EQ(list.Count(), 1); // a failed read leaves the list as it was
}

} // namespace
