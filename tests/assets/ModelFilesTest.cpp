// The generated models: well-formed text, the shapes and numbering the importer and the scene
// rely on, faces that look outwards, and an animation list that loops.
#include "GeneratedAssets.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace assettest;

namespace {

Vec3 sub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The scene-space normal direction of face f (counter-clockwise is the front).
Vec3 faceNormal(const ModelObject& o, const std::vector<int>& f) {
    Vec3 a = toScene(o, o.vertices.at(f[0] - 1)), b = toScene(o, o.vertices.at(f[1] - 1)),
         c = toScene(o, o.vertices.at(f[2] - 1));
    return cross(sub(b, a), sub(c, a));
}

std::vector<std::string> modelNames() {
    std::vector<std::string> names = {"Dollaro00f.3dm", "Puzir00f.3dm", "dnoK00f.3dm"};
    for (int k = 0; k <= 10; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "DollarsWave%02df.3dm", k);
        names.push_back(name);
    }
    return names;
}

} // namespace

TEST(ModelFiles, EveryModelIsWellFormedWithConsistentNumbering) {
    for (const std::string& name : modelNames()) {
        SCOPED_TRACE(name);
        ModelFile m = readModel(name);
        EXPECT_EQ(m.version, 1);
        // The sections the scene's models have always carried, in the reader's order.
        for (const char* section :
             {"Header", "MaterialCount", "MaterialStandard", "Object", "Material", "Vertices",
              "TextureCoords", "VertexFaces", "TextureCoordFaces", "Transform", "FaceMatID"})
            EXPECT_NE(std::find(m.sectionNames.begin(), m.sectionNames.end(), section), m.sectionNames.end())
                << section;
        ASSERT_EQ(m.objects.size(), 1u);
        const ModelObject& o = m.objects[0];
        EXPECT_EQ(o.textureCoordFaces.size(), o.vertexFaces.size());
        EXPECT_EQ(o.faceMatIds.size(), o.vertexFaces.size());
        for (std::size_t f = 0; f < o.vertexFaces.size(); ++f) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_GE(o.vertexFaces[f][k], 1);
                EXPECT_LE(o.vertexFaces[f][k], static_cast<int>(o.vertices.size()));
                EXPECT_GE(o.textureCoordFaces[f][k], 1);
                EXPECT_LE(o.textureCoordFaces[f][k], static_cast<int>(o.textureCoords.size()));
            }
        }
        for (int id : o.faceMatIds) EXPECT_TRUE(id >= 1 && id <= 1000);
    }
}

TEST(ModelFiles, BanknoteHasTwoOutwardQuadsOfTheNoteSize) {
    ModelFile m = readModel("Dollaro00f.3dm");
    ASSERT_EQ(m.objects.size(), 1u);
    const ModelObject& o = m.objects[0];
    ASSERT_EQ(o.vertices.size(), 8u);
    std::vector<std::vector<int>> faces = {{1, 2, 4}, {4, 3, 1}, {5, 6, 8}, {8, 7, 5}};
    EXPECT_EQ(o.vertexFaces, faces);
    EXPECT_EQ(o.textureCoordFaces, faces);

    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const Vec3& v : o.vertices) {
        Vec3 s = toScene(o, v);
        minX = std::min(minX, s.x), maxX = std::max(maxX, s.x);
        minY = std::min(minY, s.y), maxY = std::max(maxY, s.y);
    }
    EXPECT_NEAR(maxX - minX, 1024, 1e-3);
    EXPECT_NEAR(maxY - minY, 430, 1e-3);
    // Front towards the camera (+z), back away from it: each side survives back-face culling
    // from its own side only.
    EXPECT_GT(faceNormal(o, faces[0]).z, 0);
    EXPECT_GT(faceNormal(o, faces[1]).z, 0);
    EXPECT_LT(faceNormal(o, faces[2]).z, 0);
    EXPECT_LT(faceNormal(o, faces[3]).z, 0);
    // The two sides map to the two halves of the picture.
    for (int i = 0; i < 4; ++i) EXPECT_GT(o.textureCoords[i].y, 0.5);
    for (int i = 4; i < 8; ++i) EXPECT_LT(o.textureCoords[i].y, 0.5);

    EXPECT_EQ(m.material["DiffuseMap"], "dollar.jpg");
    EXPECT_EQ(m.material["Ambient"], "(color 22.6664 16.3332 46.3329)");
    EXPECT_EQ(m.material["Diffuse"], "(color 127 127 127)");
    EXPECT_EQ(m.material["Specular"], "(color 229.5 229.5 229.5)");
    EXPECT_EQ(m.material["SpecularLevel"], "5");
    EXPECT_EQ(m.material["Glossiness"], "25");
    EXPECT_EQ(m.material["Opacity"], "100");
}

TEST(ModelFiles, BubbleQuadFacesTheCameraAfterItsTransformAndTheTurn) {
    ModelFile m = readModel("Puzir00f.3dm");
    ASSERT_EQ(m.objects.size(), 1u);
    const ModelObject& o = m.objects[0];
    ASSERT_EQ(o.transform.size(), 4u);
    EXPECT_EQ(o.transform[0].x, 1);
    EXPECT_EQ(o.transform[1].z, 1);
    EXPECT_EQ(o.transform[2].y, -1);
    for (const Vec3& v : o.vertices) {
        Vec3 s = toScene(o, v);
        EXPECT_NEAR(s.x, v.x, 1e-6);
        EXPECT_NEAR(s.y, v.y, 1e-6);
        EXPECT_NEAR(s.z, 0, 1e-6);
    }
    for (const auto& f : o.vertexFaces) EXPECT_GT(faceNormal(o, f).z, 0);
}

TEST(ModelFiles, BottomFillsTheViewOutToTheFarDistanceFacingUp) {
    ModelFile m = readModel("dnoK00f.3dm");
    ASSERT_EQ(m.objects.size(), 1u);
    const ModelObject& o = m.objects[0];
    double minX = 1e9, maxX = -1e9, minZ = 1e9, maxZ = -1e9;
    std::set<double> rows;
    for (const Vec3& v : o.vertices) {
        Vec3 s = toScene(o, v);
        EXPECT_NEAR(s.y, 0, 1e-6);
        minX = std::min(minX, s.x), maxX = std::max(maxX, s.x);
        minZ = std::min(minZ, s.z), maxZ = std::max(maxZ, s.z);
        rows.insert(s.z);
    }
    // Field of view 75 degrees, far distance 10000, a 16:9 view at the least.
    double halfWidth = std::tan(37.5 * M_PI / 180) * 10000 * 16 / 9;
    EXPECT_LE(minX, -halfWidth);
    EXPECT_GE(maxX, halfWidth);
    EXPECT_LE(minZ, -10000 + 1e-3);
    EXPECT_GE(maxZ, -3000 / std::tan(37.5 * M_PI / 180)); // reaches the nearest visible sand
    // Rows close enough for the fade from 6000 to 10000 to be smooth.
    EXPECT_GE(std::count_if(rows.begin(), rows.end(), [](double z) { return z <= -6000 && z >= -10000; }),
              10);
    for (const auto& f : o.vertexFaces) EXPECT_GT(faceNormal(o, f).y, 0);
    // The sand repeats several times across the grid.
    double minU = 1e9, maxU = -1e9;
    for (const Vec3& t : o.textureCoords) minU = std::min(minU, t.x), maxU = std::max(maxU, t.x);
    EXPECT_GE(maxU - minU, 4);
}

TEST(ModelFiles, WaveFramesShareTopologyAndLoopBackToTheFirstPose) {
    ModelFile first = readModel("DollarsWave00f.3dm");
    ASSERT_EQ(first.objects.size(), 1u);
    const ModelObject& o0 = first.objects[0];
    EXPECT_EQ(first.material["DiffuseMap"], "dollar.jpg");
    EXPECT_GT(o0.vertices.size(), 8u);
    std::set<int> ids(o0.faceMatIds.begin(), o0.faceMatIds.end());
    EXPECT_EQ(ids.size(), 1u) << "one material id gives one primitive";

    int towards = 0, away = 0;
    for (const auto& f : o0.vertexFaces) (faceNormal(o0, f).z > 0 ? towards : away) += 1;
    EXPECT_EQ(towards, away) << "as many faces look forwards as backwards";

    double largestMove = 0;
    for (int k = 1; k <= 10; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "DollarsWave%02df.3dm", k);
        SCOPED_TRACE(name);
        ModelFile m = readModel(name);
        ASSERT_EQ(m.objects.size(), 1u);
        const ModelObject& o = m.objects[0];
        ASSERT_EQ(o.vertices.size(), o0.vertices.size());
        EXPECT_EQ(o.vertexFaces, o0.vertexFaces);
        EXPECT_EQ(o.faceMatIds, o0.faceMatIds);
        double move = 0;
        for (std::size_t i = 0; i < o.vertices.size(); ++i)
            move = std::max(move, std::fabs(toScene(o, o.vertices[i]).z - toScene(o0, o0.vertices[i]).z));
        if (k == 10)
            EXPECT_LT(move, 1e-3) << "the last frame equals the first, so the loop is seamless";
        else
            largestMove = std::max(largestMove, move);
    }
    EXPECT_GT(largestMove, 20) << "the note visibly waves";
}

TEST(ModelFiles, AnimationListNamesElevenFramesEveryFifthOfASecond) {
    const Bytes& bytes = asset("DollarsWave.mfl");
    std::string expected = "1 1.0\r\n";
    for (int k = 0; k <= 10; ++k) {
        char line[64];
        std::snprintf(line, sizeof line, "%.1f DollarsWave%02df.3dm\r\n", k * 0.2, k);
        expected += line;
    }
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}
