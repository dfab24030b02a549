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

const char* const BanknoteLike = "#Header 2\r\n"
                                 "Version 1\r\n"
                                 "Creator nobody\r\n"
                                 "#MaterialCount 1\r\n"
                                 "Count 1\r\n"
                                 "#MaterialStandard 6\r\n"
                                 "Name Dollars\r\n"
                                 "ShaderType 1 Blinn\r\n"
                                 "TwoSided false\r\n"
                                 "Ambient (color 22.6664 16.3332 46.3329)\r\n"
                                 "DiffuseMap dollar.jpg\r\n"
                                 "OpacityMap UNDEFINED\r\n"
                                 "#Object 2\r\n"
                                 "Name Note\r\n"
                                 "Anything else\r\n"
                                 "#Material 1\r\n"
                                 "Name Dollars\r\n"
                                 "#Vertices 3\r\n"
                                 "[512,-7.73098e-005,-215]\r\n"
                                 "\r\n"
                                 "[0,1,2]\r\n"
                                 "[3,4,5]\r\n"
                                 "#TextureCoords 1\r\n"
                                 "[0.9995,0.000249743,0.5]\r\n"
                                 "#VertexFaces 1\r\n"
                                 "[1,2,3]\r\n"
                                 "#FaceMatID 1\r\n"
                                 "1 \r\n"
                                 "#Transform 4\r\n"
                                 "Position [0,0,0]\r\n"
                                 "Rotation [0,0,0,1]\r\n"
                                 "Scale [1,1,1]\r\n"
                                 "(matrix3 [1,0,0] [0,0,1] [0,-1,0] [0,5000,-6.5])\r\n";

TEST(File3DM, ReadsEverySectionOfAModel) {
    T3DMFile file;
    file.LoadFromText(BanknoteLike, "note.3dm");
    EXPECT_EQ(file.Version(), 1);
    ASSERT_EQ(file.ObjectCount(), 1);
    const T3DMObject& o = file.Objects(0);
    EXPECT_EQ(o.Name, "Note");
    ASSERT_EQ(o.Vertices.Count(), 3);
    EXPECT_FLOAT_EQ(o.Vertices.Get(1).X, 512);
    EXPECT_FLOAT_EQ(o.Vertices.Get(1).Y, -7.73098e-5f);
    EXPECT_FLOAT_EQ(o.Vertices.Get(1).Z, -215);
    EXPECT_FLOAT_EQ(o.Vertices.Get(3).Z, 5);
    EXPECT_TRUE(o.HasTextureCoords);
    EXPECT_FALSE(o.HasNormals);
    EXPECT_FALSE(o.HasColors);
    EXPECT_FLOAT_EQ(o.TextureCoords.Get(1).U, 0.9995f);
    EXPECT_FLOAT_EQ(o.TextureCoords.Get(1).V, 0.000249743f);
    ASSERT_EQ(o.VertexFaces.Count(), 1);
    EXPECT_EQ(o.VertexFaces.Get(0)[2], 3);
    ASSERT_EQ(o.FaceMatIDCount(), 1);
    EXPECT_EQ(o.FaceMatID(0), 1);
    EXPECT_TRUE(o.HasTransform);
    const Single expected[4][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {0, 5000, -6.5f}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(o.Transform[r][c], expected[r][c]) << r << "," << c;

    ASSERT_EQ(file.Materials().Count(), 1);
    auto* m = dynamic_cast<T3DMMaterialStandard*>(file.Materials().Items(0));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Name(), "Dollars");
    EXPECT_EQ(m->Owner(), &file.Materials());
    EXPECT_EQ(m->ShaderType, 1);
    EXPECT_FALSE(m->TwoSided);
    EXPECT_FLOAT_EQ(m->Ambient.B, 46.3329f);
    EXPECT_EQ(m->DiffuseMap, "dollar.jpg");
    EXPECT_EQ(m->OpacityMap, "");
    EXPECT_FLOAT_EQ(m->Opacity, 0); // not given: zero
}

TEST(File3DM, EmptyTextAndLinesWithoutHeaderGiveNothing) {
    T3DMFile file;
    file.LoadFromText("", "empty.3dm");
    EXPECT_EQ(file.ObjectCount(), 0);
    EXPECT_EQ(file.Materials().Count(), 0);
    file.LoadFromText("just text\n\n  \nmore", "noheader.3dm");
    EXPECT_EQ(file.ObjectCount(), 0);
    EXPECT_EQ(file.Version(), 0);
}

TEST(File3DM, LineBreaksOfEveryKindAndEmptyLinesBetweenLines) {
    T3DMFile file;
    file.LoadFromText("\n\n#Object 1\r\rName A\r\n\n#Vertices 2\n\r\n[1,2,3]\r\r\n[4,5,6]", "breaks.3dm");
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Name, "A");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 2);
}

TEST(File3DM, TheEndOfTheTextInsideASectionEndsTheLoadNormally) {
    std::string text = "#Object 1\nName A\n#Vertices 25\n";
    for (int i = 0; i < 24; ++i) text += "[" + std::to_string(i) + ",0,0]\n";
    T3DMFile file;
    file.LoadFromText(text, "short.3dm");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 24);
}

TEST(File3DM, ACountTooLargeTakesTheNextHeaderAsDataAndFails) {
    const std::string message = ErrorOf("#Object 1\nName A\n#Vertices 2\n[1,2,3]\n#Normals 1\n[0,0,1]\n");
    EXPECT_NE(message.find("test.3dm (line 5)"), std::string::npos) << message;
    EXPECT_NE(message.find("#Normals 1"), std::string::npos) << message;
}

TEST(File3DM, LinesBeyondACountAreSkippedToTheNextHeader) {
    T3DMFile file;
    file.LoadFromText("#Object 1\nName A\n#Vertices 1\n[1,2,3]\n[garbage\nmore garbage\n#FaceMatID 1\n2\n",
                      "skip.3dm");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    EXPECT_EQ(file.Objects(0).FaceMatID(0), 2);
}

TEST(File3DM, UnknownSectionsAreSkippedWithTheirLines) {
    T3DMFile file;
    file.LoadFromText("#MaterialCount 1\nCount 1\n#Object 1\nName A\n#Material 1\n[not,a,number]\n"
                      "#Vertices 1\n[1,1,1]\n",
                      "skip.3dm");
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
}

TEST(File3DM, GeometryGoesToTheMostRecentObject) {
    T3DMFile file;
    file.LoadFromText(
        "#Object 1\nName A\n#Vertices 1\n[1,1,1]\n#Object 1\nName B\n#Vertices 2\n[2,2,2]\n[3,3,3]\n",
        "two.3dm");
    ASSERT_EQ(file.ObjectCount(), 2);
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    EXPECT_EQ(file.Objects(1).Name, "B");
    EXPECT_EQ(file.Objects(1).Vertices.Count(), 2);
}

TEST(File3DM, ColoursNormalsAndFaceListsSetTheirFlags) {
    T3DMFile file;
    file.LoadFromText(
        "#Object 1\nName A\n#Colors 2\n(color 127.5 0 255)\n(color 1e1 2 3)\n#Normals 1\n[0,0,1]\n"
        "#ColorFaces 1\n[1,2,1]\n#TextureCoordFaces 1\n[3,2,1]\n#Transform 0\n",
        "flags.3dm");
    const T3DMObject& o = file.Objects(0);
    EXPECT_TRUE(o.HasColors);
    EXPECT_TRUE(o.HasNormals);
    EXPECT_FALSE(o.HasTextureCoords);
    EXPECT_TRUE(o.HasTransform); // an empty Transform section still counts, with a zero matrix
    EXPECT_FLOAT_EQ(o.Transform[0][0], 0);
    EXPECT_FLOAT_EQ(o.Colors.Get(1).R, 127.5f);
    EXPECT_FLOAT_EQ(o.Colors.Get(2).R, 10);
    EXPECT_EQ(o.ColorFaces.Get(0)[1], 2);
    EXPECT_EQ(o.TextureCoordFaces.Get(0)[0], 3);
}

TEST(File3DM, MaterialKeysAndTheirSpellings) {
    T3DMFile file;
    file.LoadFromText(
        "#MaterialStandard 16\nName Material #90\nShaderType 3\nFaceted True\nTwoSided t\n"
        "WireSize 2\nOpacityType 1\nOpacity 50.5\nselfIllumColor (color 1 2 3)\n"
        "Diffuse (color 127.5 127.5 127.5)\nSpecular (color 229.5 229.5 229.5)\nSpecularLevel 5\n"
        "Glossiness 25\nDiffuseMap caust5.jpg\nBumpMap Undefined\nReflectionMap refl.jpg\n"
        "SomethingElse 12\n",
        "mat.3dm");
    auto* m = dynamic_cast<T3DMMaterialStandard*>(file.Materials().Items(0));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Name(), "Material #90");
    EXPECT_EQ(m->ShaderType, 3);
    EXPECT_TRUE(m->Faceted);
    EXPECT_TRUE(m->TwoSided);
    EXPECT_EQ(m->WireSize, 2);
    EXPECT_EQ(m->OpacityType, 1);
    EXPECT_FLOAT_EQ(m->Opacity, 50.5f);
    EXPECT_FLOAT_EQ(m->SelfIllumColor.G, 2);
    EXPECT_FLOAT_EQ(m->Diffuse.R, 127.5f);
    EXPECT_FLOAT_EQ(m->Specular.B, 229.5f);
    EXPECT_FLOAT_EQ(m->SpecularLevel, 5);
    EXPECT_FLOAT_EQ(m->Glossiness, 25);
    EXPECT_EQ(m->DiffuseMap, "caust5.jpg");
    EXPECT_EQ(m->BumpMap, "");
    EXPECT_EQ(m->ReflectionMap, "refl.jpg");
}

TEST(File3DM, MultiSubObjectMaterialTakesStandardSubMaterialsOnly) {
    const std::string head = "#MaterialMultiSubObject 2\nName Multi\nNumSubs 2\n"
                             "#MaterialStandard 1\nName First\n";
    T3DMFile file;
    file.LoadFromText(head + "#MaterialStandard 2\nName Second\nTwoSided true\n", "multi.3dm");
    ASSERT_EQ(file.Materials().Count(), 1);
    auto* multi = dynamic_cast<T3DMMaterialMultiSubObject*>(file.Materials().Items(0));
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->Name(), "Multi");
    ASSERT_EQ(multi->SubMaterials.Count(), 2);
    EXPECT_EQ(multi->SubMaterials.Items(1)->Name(), "Second");
    EXPECT_TRUE(dynamic_cast<T3DMMaterialStandard*>(multi->SubMaterials.Items(1))->TwoSided);

    EXPECT_EQ(ErrorOf(head + "#MaterialMultiSubObject 1\nNumSubs 1\n"),
              "T3DMFile error: SubMaterial is not Standard");
}

TEST(File3DM, MalformedInputNamesTheSourceAndTheLine) {
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#Vertices 1\n[1,2.5.1,3]\n"),
              "test.3dm (line 4): '2.5.1' is not a valid floating point value");
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#VertexFaces 1\n[1,2,3.0]\n"),
              "test.3dm (line 4): '3.0' is not a valid integer value");
    EXPECT_EQ(ErrorOf("\n#Vertices\n"), "test.3dm (line 2): section header '#Vertices' has no count");
    EXPECT_EQ(ErrorOf("#Vertices x\n"), "test.3dm (line 1): 'x' is not a valid integer value");
    EXPECT_EQ(ErrorOf("#Header 1\nVersion 1\n#Vertices 1\n[1,2,3]\n"),
              "test.3dm (line 3): section 'Vertices' comes before the first 'Object' section");
    // A texture coordinate needs its third number.
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#TextureCoords 1\n[0.5,0.5]\n"),
              "test.3dm (line 4): '[0.5,0.5]' is not a valid triple");
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#Colors 1\n(color 1,2,3)\n"),
              "test.3dm (line 4): '(color 1,2,3)' is not a valid colour");
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#Vertices 1\n[1,nan,3]\n"),
              "test.3dm (line 4): 'nan' is not a valid floating point value");
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#Vertices 1\n[1,1e39,3]\n"),
              "test.3dm (line 4): '1e39' is not a valid floating point value");
    EXPECT_EQ(ErrorOf("#Object 1\nName A\n#FaceMatID 1\n99999999999\n"),
              "test.3dm (line 4): '99999999999' is not a valid integer value");
}

TEST(File3DM, WhatWasReadBeforeAnErrorStaysUntilTheNextLoad) {
    T3DMFile file;
    EXPECT_THROW(
        file.LoadFromText("#MaterialStandard 1\nName M\n#Object 1\nName A\n#Vertices 2\n[1,1,1]\n[x,1,1]\n",
                          "partial.3dm"),
        quillaby::Error);
    EXPECT_EQ(file.Materials().Count(), 1);
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Vertices.Count(), 1);
    file.LoadFromText("", "empty.3dm");
    EXPECT_EQ(file.ObjectCount(), 0);
    EXPECT_EQ(file.Materials().Count(), 0);
}

TEST(File3DM, ListsAreNumberedFromOneExceptFaces) {
    T3DMFile file;
    file.LoadFromText("#Object 1\nName A\n#Vertices 1\n[7,8,9]\n#VertexFaces 1\n[1,1,1]\n", "numbers.3dm");
    const T3DMObject& o = file.Objects(0);
    EXPECT_FLOAT_EQ(o.Vertices.Get(1).X, 7);
    EXPECT_THROW(o.Vertices.Get(0), quillaby::Error);
    EXPECT_THROW(o.Vertices.Get(2), quillaby::Error);
    EXPECT_EQ(o.VertexFaces.Get(0)[0], 1);
    EXPECT_THROW(o.VertexFaces.Get(1), quillaby::Error);
    EXPECT_THROW(file.Objects(1), quillaby::Error);
    EXPECT_THROW(o.FaceMatID(0), quillaby::Error);
}

TEST(File3DM, NumbersUseThePointUnderACommaLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not generated";
    T3DMFile file;
    std::string error;
    try {
        file.LoadFromText("#Object 1\nName A\n#Vertices 1\n[1.5,-2.25,6.10352e-005]\n"
                          "#MaterialStandard 1\nOpacity 99.5\n",
                          "locale.3dm");
    } catch (const quillaby::Error& e) {
        error = e.what();
    }
    // A comma must not be taken as a decimal separator either.
    const std::string commaError = ErrorOf("#Object 1\nName A\n#FaceMatID 1\n1,5\n");
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_EQ(error, "");
    EXPECT_FLOAT_EQ(file.Objects(0).Vertices.Get(1).X, 1.5f);
    EXPECT_FLOAT_EQ(file.Objects(0).Vertices.Get(1).Y, -2.25f);
    EXPECT_FLOAT_EQ(file.Objects(0).Vertices.Get(1).Z, 6.10352e-5f);
    EXPECT_FLOAT_EQ(dynamic_cast<T3DMMaterialStandard*>(file.Materials().Items(0))->Opacity, 99.5f);
    EXPECT_NE(commaError.find("'1,5' is not a valid integer value"), std::string::npos) << commaError;
}

TEST(File3DM, LoadsFromDiskAndReportsAMissingFile) {
    const std::string path = std::string(QUILLABY_BINARY_DIR) + "/file3dm_test_model.3dm";
    {
        std::ofstream out(path, std::ios::binary);
        out << "#Object 1\r\nName Disk\r\n";
    }
    T3DMFile file;
    file.LoadFromFile(path);
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Name, "Disk");
    std::remove(path.c_str());
    try {
        file.LoadFromFile(path);
        FAIL() << "a missing file loaded";
    } catch (const quillaby::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
    }
}

TEST(File3DM, FromResourceReadsTheResourceNamedAfterTheFile) {
    MemoryResources resources;
    resources.Put("DOLLARO00F.3DM", "#Object 1\nName FromResource\n");
    T3DMFile file;
    file.FromResource = true;
    file.Resources = &resources;
    file.LoadFromFile("/some/where/Dollaro00f.3dm");
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Name, "FromResource");
    try {
        file.LoadFromFile("Missing.3dm");
        FAIL() << "a missing resource loaded";
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "Resource Missing_3dm not found");
    }
}

} // namespace
