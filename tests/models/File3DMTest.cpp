// The 3DM reader: sections, value syntaxes, the end of the text, messages.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>

#include "base/Error.h"
#include "geometry/File3DM.h"
#include "models/MemoryResources.h"

namespace {

std::string ErrorOf(const std::string& text) {
    T3DMFile file;
    try {
        file.LoadFromText(text, "test.3dm");
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "";
}

T3DMMaterialStandard& Standard(const T3DMMaterialList& list, int i) {
    return dynamic_cast<T3DMMaterialStandard&>(*list.Items(i));
}

// Blank lines, a header's extra lines, skipped sections, a trailing blank and every kind of line break.
const char* const Model =
    "#Header 2\r\nVersion 1\r\nCreator nobody\r\n#MaterialCount 1\r\nCount 1\r\n"
    "#MaterialStandard 6\r\nName Dollars\r\nShaderType 1 Blinn\r\nTwoSided false\r\n"
    "Ambient (color 22.6664 16.3332 46.3329)\r\nDiffuseMap dollar.jpg\r\nOpacityMap UNDEFINED\r\n"
    "#Object 2\r\nName Note\r\nAnything else\r\n#Material 1\r\nName Dollars\r\n"
    "#Vertices 3\n[512,-7.73098e-005,-215]\r\n\r\n\n[0,1,2]\r[3,4,5]\r\n"
    "#TextureCoords 1\r\n[0.9995,0.000249743,0.5]\r\n#VertexFaces 1\r\n[1,2,3]\r\n"
    "#FaceMatID 1\r\n1 \r\n#Colors 1\r\n(color 127.5 0 1e1)\r\n#ColorFaces 1\r\n[1,1,1]\r\n"
    "#Transform 4\r\nPosition [0,0,0]\r\nRotation [0,0,0,1]\r\nScale [1,1,1]\r\n"
    "(matrix3 [1,0,0] [0,0,1] [0,-1,0] [0,5000,-6.5])\r\n";

TEST(File3DM, ReadsEverySectionOfAModel) {
    T3DMFile file;
    file.LoadFromText(Model, "note.3dm");
    EXPECT_EQ(file.Version(), 1);
    ASSERT_EQ(file.ObjectCount(), 1);
    const T3DMObject& o = file.Objects(0);
    EXPECT_EQ(o.Name, "Note");
    ASSERT_EQ(o.Vertices.Count(), 3);
    EXPECT_FLOAT_EQ(o.Vertices.Get(1).Y, -7.73098e-5f);
    EXPECT_FLOAT_EQ(o.Vertices.Get(3).Z, 5);
    EXPECT_TRUE(o.HasTextureCoords && o.HasColors && !o.HasNormals && o.HasTransform);
    EXPECT_FLOAT_EQ(o.TextureCoords.Get(1).V, 0.000249743f);
    EXPECT_FLOAT_EQ(o.Colors.Get(1).B, 10);
    EXPECT_EQ(o.VertexFaces.Get(0)[2], 3);
    EXPECT_EQ(o.ColorFaces.Count(), 1);
    EXPECT_EQ(o.FaceMatIDs, std::vector<int32_t>{1});
    const Single expected[4][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {0, 5000, -6.5f}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(o.Transform[r][c], expected[r][c]) << r << "," << c;

    ASSERT_EQ(file.Materials().Count(), 1);
    const T3DMMaterialStandard& m = Standard(file.Materials(), 0);
    EXPECT_EQ(m.Name(), "Dollars");
    EXPECT_EQ(m.Owner(), &file.Materials());
    EXPECT_EQ(m.ShaderType, 1);
    EXPECT_FLOAT_EQ(m.Ambient.B, 46.3329f);
    EXPECT_EQ(m.DiffuseMap, "dollar.jpg");
    EXPECT_EQ(m.OpacityMap, "");
    EXPECT_FLOAT_EQ(m.Opacity, 0); // not given: zero
}

TEST(File3DM, TextWithoutSectionsGivesNothing) {
    T3DMFile file;
    file.LoadFromText("", "empty.3dm");
    EXPECT_EQ(file.ObjectCount() + file.Materials().Count(), 0);
    file.LoadFromText("just text\n\n  \nmore", "noheader.3dm");
    EXPECT_EQ(file.ObjectCount(), 0);
}

TEST(File3DM, SectionCountsAgainstTheLinesThere) {
    // Cut short by the end of the text: what is there loads.
    std::string text = "#Object 1\nName A\n#Vertices 25\n";
    for (int i = 0; i < 24; ++i) text += "[" + std::to_string(i) + ",0,0]\n";
    T3DMFile file;
    file.LoadFromText(text, "short.3dm");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 24);
    // Lines beyond a count are skipped up to the next header.
    file.LoadFromText("#Object 1\nName A\n#Vertices 1\n[1,2,3]\n[garbage\n#FaceMatID 1\n2\n", "skip.3dm");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    EXPECT_EQ(file.Objects(0).FaceMatID(0), 2);
    // A count too large takes the next header as a data line.
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#Vertices 2\n[1,2,3]\n#Normals 1\n[0,0,1]\n"),
              "test.3dm (line 5): '#Normals 1' is not a valid triple");
}

TEST(File3DM, ATransformSectionWithoutMatrixGivesTheIdentity) {
    T3DMFile file;
    file.LoadFromText("#Object 1\nName A\n#Transform 2\nPosition [0,0,0]\nScale [1,1,1]\n", "identity.3dm");
    const T3DMObject& o = file.Objects(0);
    EXPECT_TRUE(o.HasTransform);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(o.Transform[r][c], r == c ? 1.0f : 0.0f) << r << "," << c;
}

TEST(File3DM, GeometryGoesToTheMostRecentObject) {
    T3DMFile file;
    file.LoadFromText(
        "#Object 1\nName A\n#Vertices 1\n[1,1,1]\n#Object 1\nName B\n#Vertices 2\n[2,2,2]\n[3,3,3]\n",
        "two.3dm");
    ASSERT_EQ(file.ObjectCount(), 2);
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    EXPECT_EQ(file.Objects(1).Vertices.Count(), 2);
}

TEST(File3DM, MaterialKeysAndTheirSpellings) {
    T3DMFile file;
    file.LoadFromText(
        "#MaterialStandard 9\nName Material #90\nShaderType 3\nFaceted True\nTwoSided t\n"
        "selfIllumColor (color 1 2 3)\nSpecularLevel 5\nBumpMap Undefined\nReflectionMap refl.jpg\n"
        "SomethingElse 12\n#MaterialStandard 1\nTwoSided false\n",
        "mat.3dm");
    const T3DMMaterialStandard& m = Standard(file.Materials(), 0);
    EXPECT_EQ(m.Name(), "Material #90");
    EXPECT_EQ(m.ShaderType, 3);
    EXPECT_TRUE(m.Faceted);
    EXPECT_TRUE(m.TwoSided);
    EXPECT_FLOAT_EQ(m.SelfIllumColor.G, 2);
    EXPECT_FLOAT_EQ(m.SpecularLevel, 5);
    EXPECT_EQ(m.BumpMap, "");
    EXPECT_EQ(m.ReflectionMap, "refl.jpg");
    EXPECT_FALSE(Standard(file.Materials(), 1).TwoSided);
}

TEST(File3DM, MultiSubObjectMaterialTakesStandardSubMaterialsOnly) {
    const std::string head =
        "#MaterialMultiSubObject 2\nName Multi\nNumSubs 2\n#MaterialStandard 1\nName First\n";
    T3DMFile file;
    file.LoadFromText(head + "#MaterialStandard 2\nName Second\nTwoSided true\n", "multi.3dm");
    ASSERT_EQ(file.Materials().Count(), 1);
    auto& multi = dynamic_cast<T3DMMaterialMultiSubObject&>(*file.Materials().Items(0));
    EXPECT_EQ(multi.Name(), "Multi");
    ASSERT_EQ(multi.SubMaterials.Count(), 2);
    EXPECT_TRUE(Standard(multi.SubMaterials, 1).TwoSided);
    EXPECT_EQ(ErrorOf(head + "#MaterialMultiSubObject 1\nNumSubs 1\n"),
              "T3DMFile error: SubMaterial is not Standard");
}

TEST(File3DM, MalformedInputNamesTheSourceAndTheLine) {
    const std::string object = "#Object 1\nName A\n";
    EXPECT_EQ(ErrorOf(object + "#Vertices 1\n[1,2.5.1,3]\n"),
              "test.3dm (line 4): '2.5.1' is not a valid floating point value");
    EXPECT_EQ(ErrorOf(object + "#VertexFaces 1\n[1,2,3.0]\n"),
              "test.3dm (line 4): '3.0' is not a valid integer value");
    EXPECT_EQ(ErrorOf("\n#Vertices\n"), "test.3dm (line 2): section header '#Vertices' has no count");
    EXPECT_EQ(ErrorOf("#Header 1\nVersion 1\n#Vertices 1\n[1,2,3]\n"),
              "test.3dm (line 3): section 'Vertices' comes before the first 'Object' section");
    // A texture coordinate needs its third number.
    EXPECT_EQ(ErrorOf(object + "#TextureCoords 1\n[0.5,0.5]\n"),
              "test.3dm (line 4): '[0.5,0.5]' is not a valid triple");
    EXPECT_EQ(ErrorOf(object + "#Colors 1\n(color 1,2,3)\n"),
              "test.3dm (line 4): '(color 1,2,3)' is not a valid colour");
    EXPECT_EQ(ErrorOf(object + "#Vertices 1\n[1,nan,3]\n"),
              "test.3dm (line 4): 'nan' is not a valid floating point value");
    EXPECT_EQ(ErrorOf(object + "#Vertices 1\n[1,1e39,3]\n"),
              "test.3dm (line 4): '1e39' is not a valid floating point value");
}

TEST(File3DM, WhatWasReadBeforeAnErrorStaysUntilTheNextLoad) {
    T3DMFile file;
    EXPECT_THROW(
        file.LoadFromText("#MaterialStandard 1\nName M\n#Object 1\nName A\n#Vertices 2\n[1,1,1]\n[x,1,1]\n",
                          "partial.3dm"),
        quillaby::Error);
    EXPECT_EQ(file.Materials().Count(), 1);
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    file.LoadFromText("", "empty.3dm");
    EXPECT_EQ(file.ObjectCount() + file.Materials().Count(), 0);
}

TEST(File3DM, NumbersUseThePointUnderACommaLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    // German writes 1,5: the glibc name, then the Windows C library's.
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"})
        comma = comma || std::setlocale(LC_ALL, name) != nullptr;
    if (!comma) GTEST_SKIP() << "no German locale here (de_DE.UTF-8 not generated)";
    T3DMFile file;
    std::string error;
    try {
        file.LoadFromText(
            "#Object 1\nName A\n#Vertices 1\n[1.5,-2.25,6.10352e-005]\n#MaterialStandard 1\nOpacity 99.5\n",
            "locale.3dm");
    } catch (const quillaby::Error& e) {
        error = e.what();
    }
    // Nor is a comma taken as a decimal separator.
    const std::string commaError = ErrorOf("#Object 1\nName A\n#FaceMatID 1\n1,5\n");
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_EQ(error, "");
    EXPECT_FLOAT_EQ(file.Objects(0).Vertices.Get(1).X, 1.5f);
    EXPECT_FLOAT_EQ(file.Objects(0).Vertices.Get(1).Z, 6.10352e-5f);
    EXPECT_FLOAT_EQ(Standard(file.Materials(), 0).Opacity, 99.5f);
    EXPECT_EQ(commaError, "test.3dm (line 4): '1,5' is not a valid integer value");
}

TEST(File3DM, ReadsTheDiskOrTheResourceNamedAfterTheFile) {
    const std::string path = std::string(QUILLABY_BINARY_DIR) + "/file3dm_test_model.3dm";
    std::ofstream(path, std::ios::binary) << "#Object 1\r\nName Disk\r\n";
    T3DMFile file;
    file.LoadFromFile(path);
    EXPECT_EQ(file.Objects(0).Name, "Disk");
    std::remove(path.c_str());
    EXPECT_THROW(file.LoadFromFile(path), quillaby::Error);

    MemoryResources resources;
    resources.Put("DOLLARO00F.3DM", "#Object 1\nName FromResource\n");
    file.FromResource = true;
    file.Resources = &resources;
    file.LoadFromFile("/some/where/Dollaro00f.3dm");
    EXPECT_EQ(file.Objects(0).Name, "FromResource");
    try {
        file.LoadFromFile("Missing.3dm");
        FAIL() << "a missing resource loaded";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "Resource Missing_3dm not found");
    }
}

} // namespace
