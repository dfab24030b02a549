#include "geometry/File3DM.h"

#include <algorithm>

#include "assets/LoadSettings.h"
#include "base/Error.h"
#include "geometry/ASCFile.h"
#include "geometry/ModelSource.h"

namespace {

[[noreturn]] void RaiseListIndex(int Index) {
    throw quillaby::Error("List index out of bounds (" + std::to_string(Index) + ")");
}

bool StartsWithTrue(const std::string& Value) {
    return !Value.empty() && (Value[0] == 'T' || Value[0] == 't');
}

// "undefined" in any letter case stands for no map.
std::string MapName(const std::string& Value) {
    constexpr std::string_view undefined = "undefined";
    const bool isUndefined = Value.size() == undefined.size() &&
                             std::equal(Value.begin(), Value.end(), undefined.begin(), [](char a, char b) {
                                 return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
                             });
    return isUndefined ? std::string() : Value;
}

T3DMColor ToColor(const TASCFile& Reader, const std::string& Value) {
    const auto c = Reader.ToColor(Value);
    return T3DMColor{c[0], c[1], c[2]};
}

void ReadStandardKey(const TASCFile& Reader, const T3DMParam& Param, T3DMMaterialStandard& Material) {
    const std::string& key = Param.Name;
    const std::string& value = Param.Value;
    if (key == "Name")
        Material.SetName(value);
    else if (key == "ShaderType")
        Material.ShaderType = Reader.ToInteger(std::string_view(value).substr(0, value.find(' ')));
    else if (key == "Faceted")
        Material.Faceted = StartsWithTrue(value);
    else if (key == "WireSize")
        Material.WireSize = Reader.ToInteger(value);
    else if (key == "TwoSided")
        Material.TwoSided = StartsWithTrue(value);
    else if (key == "OpacityType")
        Material.OpacityType = Reader.ToInteger(value);
    else if (key == "Opacity")
        Material.Opacity = Reader.ToSingle(value);
    else if (key == "selfIllumColor")
        Material.SelfIllumColor = ToColor(Reader, value);
    else if (key == "Ambient")
        Material.Ambient = ToColor(Reader, value);
    else if (key == "Diffuse")
        Material.Diffuse = ToColor(Reader, value);
    else if (key == "Specular")
        Material.Specular = ToColor(Reader, value);
    else if (key == "SpecularLevel")
        Material.SpecularLevel = Reader.ToSingle(value);
    else if (key == "Glossiness")
        Material.Glossiness = Reader.ToSingle(value);
    else if (key == "DiffuseMap")
        Material.DiffuseMap = MapName(value);
    else if (key == "OpacityMap")
        Material.OpacityMap = MapName(value);
    else if (key == "BumpMap")
        Material.BumpMap = MapName(value);
    else if (key == "ReflectionMap")
        Material.ReflectionMap = MapName(value);
}

// Reads Count key lines into a new standard material and adds it to List; a material cut short
// by the end of the text is kept with what it got.
void ReadStandardMaterial(TASCFile& Reader, int Count, T3DMMaterialList& List) {
    auto material = std::make_unique<T3DMMaterialStandard>(std::string());
    try {
        for (int i = 0; i < Count; ++i) ReadStandardKey(Reader, Reader.ReadParam(), *material);
    } catch (const TEndOfText&) {
        List.Add(std::move(material));
        throw;
    }
    List.Add(std::move(material));
}

void ReadMultiSubObjectMaterial(TASCFile& Reader, int Count, T3DMMaterialList& List) {
    auto owned = std::make_unique<T3DMMaterialMultiSubObject>(std::string());
    T3DMMaterialMultiSubObject& material = *owned;
    int32_t subCount = 0;
    try {
        for (int i = 0; i < Count; ++i) {
            const T3DMParam param = Reader.ReadParam();
            if (param.Name == "Name")
                material.SetName(param.Value);
            else if (param.Name == "NumSubs")
                subCount = Reader.ToInteger(param.Value);
        }
    } catch (const TEndOfText&) {
        List.Add(std::move(owned));
        throw;
    }
    List.Add(std::move(owned));
    for (int32_t i = 0; i < subCount; ++i) {
        const T3DMChunk chunk = Reader.ReadChunk();
        if (chunk.Name != "MaterialStandard")
            throw quillaby::Error("T3DMFile error: SubMaterial is not Standard");
        ReadStandardMaterial(Reader, chunk.Count, material.SubMaterials);
    }
}

} // namespace

void Raise3DMListIndex(int64_t Index) {
    throw quillaby::Error("List index out of bounds (" + std::to_string(Index) + ")");
}

int32_t T3DMObject::FaceMatID(int Index) const {
    if (Index < 0 || Index >= FaceMatIDCount()) RaiseListIndex(Index);
    return FaceMatIDs[static_cast<size_t>(Index)];
}

void T3DMFile::Clear() {
    FObjects.clear();
    FMaterials.Clear();
    FVersion = 0;
}

T3DMObject& T3DMFile::Objects(int Index) const {
    if (Index < 0 || Index >= ObjectCount()) RaiseListIndex(Index);
    return *FObjects[static_cast<size_t>(Index)];
}

void T3DMFile::LoadFromFile(const std::string& FileName) {
    Clear();
    const std::string text =
        quillaby::ReadModelText(FileName, FromResource, Resources ? *Resources : LoadSettings().Source());
    LoadFromText(text, FileName);
}

void T3DMFile::LoadFromText(std::string_view Text, const std::string& SourceName) {
    Clear();
    TASCFile reader(Text, SourceName);
    try {
        for (;;) ReadSection(reader, reader.ReadChunk());
    } catch (const TEndOfText&) {
        // The end of the text ends the load wherever it comes.
    }
}

T3DMObject& T3DMFile::CurrentObject(const TASCFile& Reader, const T3DMChunk& Chunk) const {
    if (FObjects.empty()) Reader.Fail("section '" + Chunk.Name + "' comes before the first 'Object' section");
    return *FObjects.back();
}

void T3DMFile::ReadSection(TASCFile& Reader, const T3DMChunk& Chunk) {
    const std::string& name = Chunk.Name;
    const int count = Chunk.Count;
    if (name == "Header") {
        for (int i = 0; i < count; ++i) {
            const T3DMParam param = Reader.ReadParam();
            if (param.Name == "Version") {
                FVersion = Reader.ToInteger(param.Value);
                break;
            }
        }
    } else if (name == "Object") {
        FObjects.push_back(std::make_unique<T3DMObject>());
        for (int i = 0; i < count; ++i) {
            T3DMParam param = Reader.ReadParam();
            if (param.Name == "Name") {
                FObjects.back()->Name = std::move(param.Value);
                break;
            }
        }
    } else if (name == "Vertices") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        for (int i = 0; i < count; ++i) {
            const auto v = Reader.ToRealTriple(Reader.NextLine());
            object.Vertices.Add(TGLVector{v[0], v[1], v[2]});
        }
    } else if (name == "Normals") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        for (int i = 0; i < count; ++i) {
            const auto v = Reader.ToRealTriple(Reader.NextLine());
            object.Normals.Add(TGLVector{v[0], v[1], v[2]});
            object.HasNormals = true;
        }
    } else if (name == "TextureCoords") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        for (int i = 0; i < count; ++i) {
            const auto v = Reader.ToRealTriple(Reader.NextLine());
            object.TextureCoords.Add(TGLTextureCoord{v[0], v[1]});
            object.HasTextureCoords = true;
        }
    } else if (name == "Colors") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        for (int i = 0; i < count; ++i) {
            const auto c = Reader.ToColor(Reader.NextLine());
            object.Colors.Add(T3DMColor{c[0], c[1], c[2]});
            object.HasColors = true;
        }
    } else if (name == "VertexFaces" || name == "TextureCoordFaces" || name == "ColorFaces") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        T3DMFaceList& faces = name == "VertexFaces"         ? object.VertexFaces
                              : name == "TextureCoordFaces" ? object.TextureCoordFaces
                                                            : object.ColorFaces;
        for (int i = 0; i < count; ++i) {
            const auto f = Reader.ToIntegerTriple(Reader.NextLine());
            faces.Add(T3DMFace{f[0], f[1], f[2]});
        }
    } else if (name == "FaceMatID") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        for (int i = 0; i < count; ++i) object.FaceMatIDs.push_back(Reader.ToInteger(Reader.NextLine()));
    } else if (name == "Transform") {
        T3DMObject& object = CurrentObject(Reader, Chunk);
        for (int i = 0; i < count; ++i) {
            const std::string_view line = Reader.NextLine();
            if (line.find("(matrix3") != std::string_view::npos) {
                Reader.ReadMatrix(line, object.Transform);
                object.HasTransform = true;
                object.HasMatrix = true;
            }
        }
        // A section without a matrix line stands for no transform of the object's own: an
        // all-zero matrix would collapse the model to a point.
        if (!object.HasMatrix) {
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 3; ++c) object.Transform[r][c] = r == c ? 1.0f : 0.0f;
        }
        object.HasTransform = true;
    } else if (name == "MaterialStandard") {
        ReadStandardMaterial(Reader, count, FMaterials);
    } else if (name == "MaterialMultiSubObject") {
        ReadMultiSubObjectMaterial(Reader, count, FMaterials);
    } else {
        for (int i = 0; i < count; ++i) Reader.NextLine();
    }
}
