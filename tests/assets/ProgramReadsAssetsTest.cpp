// The generated files as the program meets them: embedded in its resource table unchanged, and
// read by its own 3DM reader into the objects and materials the scene expects.
#include "GeneratedAssets.h"
#include "assets/Resources.h"
#include "geometry/File3DM.h"
#include "geometry/Material3DM.h"

#include <gtest/gtest.h>

using namespace assettest;

TEST(ProgramReadsAssets, EmbeddedTableCarriesEveryGeneratedFileUnchanged) {
    for (const auto& [name, bytes] : generatedAssets()) {
        SCOPED_TRACE(name);
        auto found = quillaby::ProgramResources().Find(quillaby::ResourceName(name));
        ASSERT_TRUE(found.has_value());
        auto embedded = found->Bytes();
        EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), bytes.begin(), bytes.end()));
    }
}

TEST(ProgramReadsAssets, ModelsReadBackWithTheProgramsReader) {
    for (const char* name : {"Dollaro00f.3dm", "Puzir00f.3dm", "dnoK00f.3dm", "DollarsWave00f.3dm"}) {
        SCOPED_TRACE(name);
        const Bytes& bytes = asset(name);
        ModelFile expected = readModel(name);
        T3DMFile file;
        file.LoadFromText(std::string(bytes.begin(), bytes.end()), name);
        EXPECT_EQ(file.Version(), 1);
        ASSERT_EQ(file.ObjectCount(), 1);
        const T3DMObject& o = file.Objects(0);
        EXPECT_EQ(o.Vertices.Count(), static_cast<int>(expected.objects[0].vertices.size()));
        EXPECT_EQ(o.VertexFaces.Count(), static_cast<int>(expected.objects[0].vertexFaces.size()));
        EXPECT_EQ(o.TextureCoordFaces.Count(), o.VertexFaces.Count());
        EXPECT_EQ(o.FaceMatIDCount(), o.VertexFaces.Count());
        EXPECT_TRUE(o.HasTextureCoords);
        EXPECT_TRUE(o.HasTransform);
        EXPECT_FALSE(o.HasColors);
        ASSERT_EQ(file.Materials().Count(), 1);
        auto* material = dynamic_cast<const T3DMMaterialStandard*>(file.Materials().Items(0));
        ASSERT_NE(material, nullptr);
        EXPECT_EQ(material->DiffuseMap, expected.material["DiffuseMap"]);
        EXPECT_FLOAT_EQ(material->Opacity, 100);
    }
}
