#pragma once
// Shared helpers of the asset tests: the generated files (made once per test run), a JPEG
// decoder, and a strict reader of the generated model text.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace assettest {

using Bytes = std::vector<std::uint8_t>;

// The files the build generated (and embedded), by name: all of the generator's files, or one.
const std::map<std::string, Bytes>& generatedAssets();
const Bytes& asset(const std::string& name);

struct DecodedJpeg {
    int width = 0, height = 0, components = 0;
    std::vector<std::uint8_t> pixels; // rows from the top, interleaved
};
DecodedJpeg decodeJpeg(const Bytes& bytes);

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct ModelObject {
    std::string name;
    std::vector<Vec3> vertices, textureCoords;
    std::vector<std::vector<int>> vertexFaces, textureCoordFaces;
    std::vector<Vec3> transform; // 4 rows when present
    std::vector<int> faceMatIds;
};

struct ModelFile {
    int version = -1;
    std::vector<std::string> sectionNames;       // in file order
    std::map<std::string, std::string> material; // key -> value of the MaterialStandard section
    std::vector<ModelObject> objects;
};

// Reads model text strictly: CR LF line ends, no blank lines, every section's count matching
// its lines, bracketed numbers without blanks. Records a test failure and returns what it read
// on any deviation.
ModelFile readModel(const std::string& name);

// The scene's position of a file point: the object's transform, then the Z-up to Y-up turn.
Vec3 toScene(const ModelObject& object, const Vec3& p);

} // namespace assettest
