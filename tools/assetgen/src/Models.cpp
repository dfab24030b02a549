#include "Models.h"

#include <cmath>
#include <cstdio>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfTexel = 0.5f / 256.0f;
constexpr float kBackOffset = 1.0f; // the back sits this far behind the front (file +y)

ModelMaterial noteMaterial() {
    ModelMaterial m;
    m.name = "Dollars";
    m.ambient = {22.6664f, 16.3332f, 46.3329f};
    m.diffuse = {127, 127, 127};
    m.specular = {229.5f, 229.5f, 229.5f};
    m.specularLevel = 5;
    m.glossiness = 25;
    m.opacity = 100;
    m.diffuseMap = "dollar.jpg";
    return m;
}

// Texture coordinates of the note: the front in the picture's upper half (v 0.5..1, since the
// picture's top row is v = 1), the back in the lower half; edges kept half a texel inside so
// that filtering never reaches into the other side. `along` 0..1 runs from the side's left
// edge as the viewer of that side sees it, `across` 0..1 from its foot.
Vec2 noteCoord(bool frontSide, float along, float across) {
    float u = kHalfTexel + along * (1 - 2 * kHalfTexel);
    float v0 = frontSide ? 0.5f : 0.0f;
    return {u, v0 + kHalfTexel + across * (0.5f - 2 * kHalfTexel)};
}

// A grid of (columns + 1) x (rows + 1) vertices already in the object; adds the two triangles
// of every cell, counter-clockwise for the side whose vertex order runs left to right, foot to top.
void addGridFaces(ModelObject& o, int firstVertex, int columns, int rows) {
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            int a = firstVertex + j * (columns + 1) + i + 1; // 1-based
            int b = a + 1, c = a + columns + 1, d = c + 1;
            o.vertexFaces.push_back({a, b, d});
            o.vertexFaces.push_back({d, c, a});
        }
    }
}

void finishFaces(ModelObject& o) {
    o.textureCoordFaces = o.vertexFaces;
    o.faceMatIds.assign(o.vertexFaces.size(), 1);
}

// Wave displacement (file y) and its slope along the note at position x, time t in seconds.
// The wave runs from the head (+x) to the tail, growing towards the tail like a swimming fish.
void waveAt(float x, float t, float& height, float& slope) {
    const float wavelength = 900, amplitude = 70;
    float s = (kNoteLength * 0.5f - x) / kNoteLength; // 0 at the head, 1 at the tail
    float a = amplitude * (0.3f + 0.7f * s);
    float da = -amplitude * 0.7f / kNoteLength;
    float phase = 2 * kPi * (x / wavelength + t / kWavePeriod);
    height = a * std::sin(phase);
    slope = da * std::sin(phase) + a * std::cos(phase) * 2 * kPi / wavelength;
}

// A two-sided note of columns x rows cells per side, bent by the wave at time t.
ModelObject noteObject(const std::string& name, int columns, int rows, float t, bool wave) {
    ModelObject o;
    o.name = name;
    o.materialName = "Dollars";
    for (int side = 0; side < 2; ++side) {
        bool frontSide = side == 0;
        int first = static_cast<int>(o.vertices.size());
        for (int j = 0; j <= rows; ++j) {
            for (int i = 0; i <= columns; ++i) {
                float along = static_cast<float>(i) / columns, across = static_cast<float>(j) / rows;
                // The back is seen from behind, so its left edge is the scene's right.
                float x = (frontSide ? along - 0.5f : 0.5f - along) * kNoteLength;
                float z = (across - 0.5f) * kNoteWidth;
                float height = 0, slope = 0;
                if (wave) waveAt(x, t, height, slope);
                float length = std::sqrt(1 + slope * slope);
                Vec3 normal{slope / length, -1 / length, 0}; // the front faces file -y (scene +z)
                if (!frontSide) {
                    height += kBackOffset;
                    normal = {-normal.x, -normal.y, 0};
                }
                o.vertices.push_back({x, height, z});
                o.normals.push_back(normal);
                o.textureCoords.push_back(noteCoord(frontSide, along, across));
            }
        }
        addGridFaces(o, first, columns, rows);
    }
    finishFaces(o);
    return o;
}

} // namespace

Model banknoteModel() {
    Model m;
    m.material = noteMaterial();
    m.objects.push_back(noteObject("Dollar", 1, 1, 0, false));
    return m;
}

Model bubbleModel() {
    Model m;
    m.material.name = "Bubble";
    m.material.ambient = {255, 255, 255};
    m.material.diffuse = {255, 255, 255};
    m.material.diffuseMap = "puzir.jpg";
    m.material.opacityMap = "puzirA.jpg";
    ModelObject o;
    o.name = "Puzir";
    o.materialName = "Bubble";
    const float half = 40;
    // Drawn in the file's XY plane; the transform stands it up, which the importer's Z-up to
    // Y-up turn undoes again, so the quad faces the camera.
    o.vertices = {{-half, -half, 0}, {half, -half, 0}, {-half, half, 0}, {half, half, 0}};
    o.normals.assign(4, Vec3{0, 0, 1});
    o.textureCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    o.vertexFaces = {{1, 2, 4}, {4, 3, 1}};
    o.transform = {Vec3{1, 0, 0}, Vec3{0, 0, 1}, Vec3{0, -1, 0}, Vec3{0, 0, 0}};
    finishFaces(o);
    m.objects.push_back(o);
    return m;
}

Model bottomModel() {
    // The far edge is the far clipping distance; wide enough for a 32:9 view at that distance
    // (tan 37.5 degrees x 10000 x 32/9 is about 27300). Rows every 250 units keep the per-vertex
    // depth fade smooth; the sand repeats every 2000 units.
    const float halfWidth = 30000, depth = 10000, tile = 2000;
    const int columns = 60, rows = 40;
    Model m;
    m.material.name = "Bottom";
    m.material.ambient = {255, 255, 255};
    m.material.diffuse = {255, 255, 255};
    m.material.diffuseMap = "Pesok01.jpg";
    ModelObject o;
    o.name = "Dno";
    o.materialName = "Bottom";
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= columns; ++i) {
            float x = -halfWidth + 2 * halfWidth * i / columns;
            float y = depth * j / rows; // file y runs away from the camera (scene -z)
            o.vertices.push_back({x, y, 0});
            o.normals.push_back({0, 0, 1});
            o.textureCoords.push_back({x / tile, y / tile});
        }
    }
    addGridFaces(o, 0, columns, rows);
    finishFaces(o);
    m.objects.push_back(o);
    return m;
}

Model waveModel(int frame) {
    Model m;
    m.material = noteMaterial();
    float t = kWavePeriod * frame / (kWaveFrames - 1);
    m.objects.push_back(noteObject("DollarWave", 32, 4, t, true));
    return m;
}

std::string waveList() {
    std::string text = "1 1.0\r\n";
    for (int k = 0; k < kWaveFrames; ++k) {
        char line[64];
        std::snprintf(line, sizeof line, "%d.%d DollarsWave%02df.3dm\r\n", k / 5, (k % 5) * 2, k);
        text += line;
    }
    return text;
}

} // namespace assetgen
