#include "ModelText.h"

#include <charconv>
#include <cmath>

namespace assetgen {

namespace {

const char* const kEol = "\r\n";

std::string triple(const Vec3& v) {
    return "[" + formatNumber(v.x) + "," + formatNumber(v.y) + "," + formatNumber(v.z) + "]";
}

std::string colour(const Vec3& c) {
    return "(color " + formatNumber(c.x) + " " + formatNumber(c.y) + " " + formatNumber(c.z) + ")";
}

std::string mapName(const std::string& name) {
    return name.empty() ? "undefined" : name;
}

class Writer {
  public:
    void section(const std::string& name, std::size_t count) {
        line("#" + name + " " + std::to_string(count));
    }
    void line(const std::string& text) { out_ += text + kEol; }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

void writeMaterial(Writer& w, const ModelMaterial& m) {
    std::vector<std::string> keys = {
        "Name " + m.name,
        "ShaderType 1 Blinn",
        "Faceted false",
        "WireSize 1",
        std::string("TwoSided ") + (m.twoSided ? "true" : "false"),
        "OpacityType 0",
        "Opacity " + formatNumber(m.opacity),
        "selfIllumColor " + colour(m.selfIllum),
        "Ambient " + colour(m.ambient),
        "Diffuse " + colour(m.diffuse),
        "Specular " + colour(m.specular),
        "SpecularLevel " + formatNumber(m.specularLevel),
        "Glossiness " + formatNumber(m.glossiness),
        "DiffuseMap " + mapName(m.diffuseMap),
        "ReflectionMap undefined",
        "OpacityMap " + mapName(m.opacityMap),
        "BumpMap undefined",
    };
    w.section("MaterialStandard", keys.size());
    for (const auto& k : keys) w.line(k);
}

void writeFaces(Writer& w, const std::string& name, const std::vector<Face>& faces) {
    w.section(name, faces.size());
    for (const Face& f : faces)
        w.line("[" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + "]");
}

void writeObject(Writer& w, const ModelObject& o) {
    w.section("Object", 1);
    w.line("Name " + o.name);
    w.section("Material", 1);
    w.line("Name " + o.materialName);
    w.section("Vertices", o.vertices.size());
    for (const Vec3& v : o.vertices) w.line(triple(v));
    if (!o.normals.empty()) {
        w.section("Normals", o.normals.size());
        for (const Vec3& n : o.normals) w.line(triple(n));
    }
    w.section("TextureCoords", o.textureCoords.size());
    for (const Vec2& t : o.textureCoords) w.line(triple({t.u, t.v, 0}));
    writeFaces(w, "VertexFaces", o.vertexFaces);
    writeFaces(w, "TextureCoordFaces", o.textureCoordFaces);
    w.section("Transform", 4);
    const auto& m = o.transform;
    w.line("(matrix3 " + triple(m[0]) + " " + triple(m[1]) + " " + triple(m[2]) + " " + triple(m[3]) + ")");
    w.line("Position " + triple(m[3]));
    w.line("Rotation (quat 0 0 0 1)");
    w.line("Scale [1,1,1]");
    w.section("FaceMatID", o.faceMatIds.size());
    for (int id : o.faceMatIds) w.line(std::to_string(id));
}

} // namespace

std::string formatNumber(float value) {
    if (std::fabs(value) < 5e-7f) return "0"; // no "-0" or long runs of zeros
    char buffer[64];
    // The shortest fixed form that reads back as the same float.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string writeModel(const Model& model) {
    Writer w;
    w.section("Header", 1);
    w.line("Version " + std::to_string(model.version));
    w.section("MaterialCount", 1);
    w.line("Count 1");
    writeMaterial(w, model.material);
    for (const ModelObject& o : model.objects) writeObject(w, o);
    return w.take();
}

} // namespace assetgen
