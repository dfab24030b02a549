#pragma once
// The in-memory form of a 3DM model as the generator builds it, and its writer. The text is
// line-oriented, CR LF line ends, "." decimals whatever the locale.
#include <array>
#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
struct Vec2 {
    float u = 0, v = 0;
};
using Face = std::array<int, 3>; // 1-based numbers into the object's lists

// A standard material; colours on the 0..255 scale, levels in percent.
struct ModelMaterial {
    std::string name;
    Vec3 ambient, diffuse, specular, selfIllum;
    float specularLevel = 0, glossiness = 0, opacity = 100;
    bool twoSided = false;
    std::string diffuseMap, opacityMap;
};

struct ModelObject {
    std::string name;
    std::string materialName;
    std::vector<Vec3> vertices;
    std::vector<Vec3> normals; // one per vertex
    std::vector<Vec2> textureCoords;
    std::vector<Face> vertexFaces;
    std::vector<Face> textureCoordFaces;
    // Rows: X axis, Y axis, Z axis, translation (the file is Z-up; the importer turns it Y-up).
    std::array<Vec3, 4> transform{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}, Vec3{0, 0, 0}};
    std::vector<int> faceMatIds;
};

struct Model {
    int version = 1;
    ModelMaterial material;
    std::vector<ModelObject> objects;
};

// A real number as the model and list formats write it: shortest fixed form, "." decimal point.
std::string formatNumber(float value);

std::string writeModel(const Model& model);

} // namespace assetgen
