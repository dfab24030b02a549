// Malformed 3DM and MFL input: every case ends in a loaded model or a quillaby::Error with a
// message, never a crash or another kind of exception (the asan preset runs these too).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/Error.h"
#include "geometry/AnimClasses.h"
#include "geometry/File3DM.h"
#include "geometry/LoadMFL.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTextureList.h"
#include "models/MemoryResources.h"
#include "models/ModelText.h"

namespace {

// Loads and imports Text; returns the error message, or "" when everything loaded.
std::string LoadAndImport(const std::string& text) {
    try {
        T3DMFile file;
        file.LoadFromText(text, "bad.3dm");
        TGLPrimitiveList list;
        for (int i = 0; i < file.ObjectCount(); ++i) PrimitiveListFrom3DMObject(file.Objects(i), list);
        PrimitiveFrom3DMFile(file);
    } catch (const quillaby::Error& e) {
        EXPECT_STRNE(e.what(), "");
        return e.what();
    }
    return "";
}

TEST(MalformedInput, EveryTruncationOfAModelLoadsOrFailsCleanly) {
    const std::string full = modeltext::Banknote();
    int failures = 0;
    for (size_t n = 0; n <= full.size(); ++n) {
        if (!LoadAndImport(full.substr(0, n)).empty()) ++failures;
    }
    // A cut inside a number or inside the face lists is an error; the whole text is not.
    EXPECT_GT(failures, 0);
    EXPECT_EQ(LoadAndImport(full), "");
}

TEST(MalformedInput, HugeAndNegativeCountsReadOnlyWhatIsThere) {
    T3DMFile file;
    file.LoadFromText("#Object 1\nName A\n#Normals -5\n[0,0,1]\n#Vertices 2147483647\n[1,1,1]\n", "huge.3dm");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    EXPECT_FALSE(file.Objects(0).HasNormals);
    file.LoadFromText("#MaterialMultiSubObject 1\nNumSubs 2147483647\n#MaterialStandard 2147483647\nName S\n",
                      "subs.3dm");
    ASSERT_EQ(file.Materials().Count(), 1);
    EXPECT_EQ(dynamic_cast<T3DMMaterialMultiSubObject*>(file.Materials().Items(0))->SubMaterials.Count(), 1);
    EXPECT_NE(LoadAndImport("#Vertices 99999999999\n").find("is not a valid integer value"),
              std::string::npos);
}

TEST(MalformedInput, FaceNumbersOutOfRangeAreErrors) {
    const std::string head = "#Object 1\nName A\n#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n#FaceMatID 1\n1\n";
    for (const char* face : {"[0,1,2]", "[1,2,4]", "[-2147483648,1,2]", "[1,2147483647,3]", "[-1,-1,-1]"}) {
        const std::string message = LoadAndImport(head + "#VertexFaces 1\n" + face + "\n");
        EXPECT_NE(message.find("Model import error: object 'A' face 0 names vertex"), std::string::npos)
            << face << ": " << message;
    }
    EXPECT_NE(LoadAndImport(head +
                            "#VertexFaces 1\n[1,2,3]\n#TextureCoords 1\n[0,0,0]\n#TextureCoordFaces 1\n"
                            "[1,1,2147483647]\n")
                  .find("names texture coordinate 2147483647 of 1"),
              std::string::npos);
    EXPECT_EQ(LoadAndImport(head + "#FaceMatID 1\n1001\n#VertexFaces 1\n[1,2,3]\n"),
              "PrimitiveListFrom3DMObject error: FaceID>1000");
}

TEST(MalformedInput, NestedMaterialsAreRefused) {
    EXPECT_EQ(
        LoadAndImport("#MaterialMultiSubObject 2\nName M\nNumSubs 1\n#MaterialMultiSubObject 2\nName N\n"
                      "NumSubs 1\n#MaterialStandard 1\nName S\n"),
        "T3DMFile error: SubMaterial is not Standard");
    EXPECT_EQ(LoadAndImport("#MaterialMultiSubObject 1\nNumSubs 1\n#Object 1\nName A\n"),
              "T3DMFile error: SubMaterial is not Standard");
}

TEST(MalformedInput, GarbageLoadsOrFailsCleanly) {
    std::mt19937 random(20261207);
    std::string bytes;
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    const std::string tokens = "#[](),.-+e0123456789 \r\nObjectVerticesFaceMatIDTransformmatrix3color";
    int errors = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string& alphabet = round % 2 == 0 ? bytes : tokens;
        std::string text(64 + random() % 1024, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        if (round % 3 == 0) text = "#Object 1\nName A\n#Vertices 3\n" + text;
        if (!LoadAndImport(text).empty()) ++errors;
    }
    EXPECT_GT(errors, 0); // garbage is refused at least sometimes, and never crashes
}

TEST(MalformedInput, BadKeyFrameListsFailCleanly) {
    auto resources = std::make_shared<MemoryResources>();
    resources->Put("A.3dm", modeltext::Object("A") + modeltext::Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}) +
                                modeltext::Faces("VertexFaces", {{1, 2, 3}}) + modeltext::FaceMatIDs({1}));
    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.Resources = resources;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1\n1e5000 A.3dm\n", "List.mfl (line 2): '1e5000' is not a valid floating point value"},
        {"1\nnan A.3dm\n", "List.mfl (line 2): 'nan' is not a valid floating point value"},
        {"1\n0 A.3dm\ninf A.3dm\n", "List.mfl (line 3): 'inf' is not a valid floating point value"},
        {"99999999999 1.0\n0 A.3dm\n", "List.mfl (line 1): '99999999999' is not a valid integer value"},
        {"1\n0 \x01\x02\xff.3dm\n", "Resource \x01\x02\xff_3dm not found"},
    };
    for (const auto& [list, expected] : cases) {
        resources->Put("List.mfl", list);
        TGLTextureList textures;
        TGLMaterialList materials;
        TAnimationList animations;
        TGLPrimitiveList primitives;
        std::string message;
        try {
            LoadMFL("List.mfl", textures, materials, animations, primitives, settings);
        } catch (const quillaby::Error& e) {
            message = e.what();
        }
        EXPECT_EQ(message, expected) << list;
    }
}

} // namespace
