#pragma once
// Small 3DM texts for the import and key-frame tests.
#include <string>
#include <vector>

#include "math/Geometry.h"

namespace modeltext {

inline std::string Number(Single v) {
    // Printed in the C locale: the one locale test restores the locale before any model is written.
    return std::to_string(v);
}

inline std::string Triple(Single x, Single y, Single z) {
    return "[" + Number(x) + "," + Number(y) + "," + Number(z) + "]";
}

inline std::string Section(const std::string& name, const std::vector<std::string>& lines) {
    std::string s = "#" + name + " " + std::to_string(lines.size()) + "\r\n";
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

inline std::string Vertices(const std::vector<TGLVector>& v) {
    std::vector<std::string> lines;
    for (const auto& p : v) lines.push_back(Triple(p.X, p.Y, p.Z));
    return Section("Vertices", lines);
}

inline std::string Faces(const std::string& name, const std::vector<std::vector<int>>& faces) {
    std::vector<std::string> lines;
    for (const auto& f : faces)
        lines.push_back("[" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) +
                        "]");
    return Section(name, lines);
}

inline std::string FaceMatIDs(const std::vector<int>& ids) {
    std::vector<std::string> lines;
    for (int id : ids) lines.push_back(std::to_string(id));
    return Section("FaceMatID", lines);
}

inline std::string Object(const std::string& name) {
    return Section("Object", {"Name " + name});
}

// The banknote: two quads of four positions each, front and back, texture faces identical.
inline std::string Banknote(Single offset = 0) {
    const Single w = 512 + offset, h = 215;
    std::string s = Section("Header", {"Version 1"});
    s += Section("MaterialStandard",
                 {"Name Dollars", "Ambient (color 22.6664 16.3332 46.3329)", "Diffuse (color 127 127 127)",
                  "Specular (color 229.5 229.5 229.5)", "SpecularLevel 5", "Glossiness 25", "Opacity 100",
                  "DiffuseMap undefined"});
    s += Object("Note");
    s += Vertices(
        {{-w, -h, 0}, {w, -h, 0}, {-w, h, 0}, {w, h, 0}, {w, -h, 0}, {-w, -h, 0}, {w, h, 0}, {-w, h, 0}});
    s += Section("TextureCoords", {"[0,0,0]", "[1,0,0]", "[0,0.5,0]", "[1,0.5,0]", "[0,0.5,0]", "[1,0.5,0]",
                                   "[0,1,0]", "[1,1,0]"});
    const std::vector<std::vector<int>> faces = {{1, 2, 4}, {4, 3, 1}, {5, 6, 8}, {8, 7, 5}};
    s += Faces("VertexFaces", faces);
    s += Faces("TextureCoordFaces", faces);
    s += FaceMatIDs({1, 1, 1, 1});
    return s;
}

} // namespace modeltext
