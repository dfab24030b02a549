#include "geometry/ModelImport.h"

#include <map>

#include "base/Error.h"
#include "geometry/File3DM.h"
#include "geometry/TGLPrimitive.h"
#include "geometry/VertIndices3DM.h"
#include "gl/GLUtils.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTextureList.h"

namespace {

constexpr int32_t MaxFaceMatID = 1000;

[[noreturn]] void RaiseBadFace(const T3DMObject& Object, int Face, const char* What, int32_t Number,
                               int Count) {
    throw quillaby::Error("Model import error: object '" + Object.Name + "' face " + std::to_string(Face) +
                          " names " + What + " " + std::to_string(Number) + " of " + std::to_string(Count));
}

// The face's record in a face list that runs parallel to VertexFaces.
const T3DMFace& ParallelFace(const T3DMObject& Object, const T3DMFaceList& List, int Face,
                             const char* ListName) {
    if (!List.Contains(Face))
        throw quillaby::Error("Model import error: object '" + Object.Name + "' has no " + ListName +
                              " for face " + std::to_string(Face));
    return List.Get(Face);
}

// The object's own transform followed by the turn from Z-up to Y-up: (x, y, z) -> (x, z, -y).
void TurnToSceneAxes(const T3DMObject& Object, TGLPrimitive& Primitive) {
    TGLMatrix m = IdentityMatrix;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column) m[row][column] = Object.Transform[row][column];
    TGLMatrix turn;
    RotationXMatrix(turn, 270);
    MatrixMultiply(m, turn, m);
    Primitive.Transform(m);
}

std::unique_ptr<T3DMFile> Read3DMFile(const std::string& FileName, const TLoadSettings& From) {
    auto file = std::make_unique<T3DMFile>();
    file->FromResource = From.LoadFromResources;
    file->Resources = &From.Source();
    file->LoadFromFile(From.ModelDirectory + FileName);
    return file;
}

TGLColor Scaled(const T3DMColor& Color, Single Alpha) {
    return TGLColor{Color.R / 255, Color.G / 255, Color.B / 255, Alpha};
}

void AddMaterial(const T3DMMaterialStandard& Material, TGLMaterialList& Materials) {
    Materials.Add(MaterialFrom3DMStandard(Material).release());
}

void AddTexture(const T3DMMaterialStandard& Material, TGLTextureList& Textures, const TLoadSettings& From) {
    const std::string map = DiffuseMapName(Material);
    if (map.empty()) return;
    // A map LoadTexture cannot read yields none, which the list refuses with its own message.
    Textures.Add(LoadTexture(map, From).release());
}

} // namespace

std::unique_ptr<TGLPrimitive> PrimitiveFrom3DMFaces(const std::vector<int>& Faces, const T3DMObject& Object) {
    auto primitive = std::make_unique<TGLPrimitive>();
    primitive->SetPrimitiveType(ptTriangles);
    TVertIndices3DMList combinations(Object.Vertices.Count());
    primitive->Indices.SetCount(3 * static_cast<int>(Faces.size()));
    int32_t* indices = primitive->Indices.Items();

    for (size_t f = 0; f < Faces.size(); ++f) {
        const int face = Faces[f];
        if (!Object.VertexFaces.Contains(face))
            throw quillaby::Error("Model import error: object '" + Object.Name + "' has no face " +
                                  std::to_string(face));
        const T3DMFace& vertexFace = Object.VertexFaces.Get(face);
        const T3DMFace* texFace = Object.HasTextureCoords
                                      ? &ParallelFace(Object, Object.TextureCoordFaces, face, "texture face")
                                      : nullptr;
        const T3DMFace* colorFace =
            Object.HasColors ? &ParallelFace(Object, Object.ColorFaces, face, "colour face") : nullptr;
        for (int k = 0; k < 3; ++k) {
            const int32_t vertex = vertexFace[k];
            if (!Object.Vertices.Contains(vertex))
                RaiseBadFace(Object, face, "vertex", vertex, Object.Vertices.Count());
            int32_t tex = 0;
            if (texFace != nullptr) {
                tex = (*texFace)[k];
                if (!Object.TextureCoords.Contains(tex))
                    RaiseBadFace(Object, face, "texture coordinate", tex, Object.TextureCoords.Count());
            }
            int32_t color = 0;
            if (colorFace != nullptr) {
                color = (*colorFace)[k];
                if (!Object.Colors.Contains(color))
                    RaiseBadFace(Object, face, "colour", color, Object.Colors.Count());
            }
            indices[3 * f + static_cast<size_t>(k)] = combinations.FindOrAdd(vertex, tex, color);
        }
    }

    const int n = combinations.Count();
    primitive->Vertices.SetCount(n);
    if (Object.HasTextureCoords) primitive->TexCoords.SetCount(n);
    if (Object.HasColors) {
        primitive->Colors.SetCount(n);
    } else {
        primitive->Colors.SetCount(1);
        primitive->Colors.SetItem(0, TGLColor{1, 1, 1, 1});
    }
    for (int i = 0; i < n; ++i) {
        const T3DMVertIndices r = combinations.Records(i);
        primitive->Vertices.SetItem(i, Object.Vertices.Get(r.VertexNumber));
        if (Object.HasTextureCoords) primitive->TexCoords.SetItem(i, Object.TextureCoords.Get(r.TexIndex));
        if (Object.HasColors) primitive->Colors.SetItem(i, Scaled(Object.Colors.Get(r.ColorIndex), 1.0f));
    }

    if (Object.HasTransform) TurnToSceneAxes(Object, *primitive);
    primitive->BuildNormals();
    return primitive;
}

std::unique_ptr<TGLPrimitive> PrimitiveFrom3DMObject(const T3DMObject& Object) {
    std::vector<int> faces(static_cast<size_t>(Object.VertexFaces.Count()));
    for (size_t i = 0; i < faces.size(); ++i) faces[i] = static_cast<int>(i);
    return PrimitiveFrom3DMFaces(faces, Object);
}

void PrimitiveListFrom3DMObject(const T3DMObject& Object, TGLPrimitiveList& List) {
    // Groups by id in ascending order; ids without faces never appear.
    std::map<int32_t, std::vector<int>> groups;
    for (int i = 0; i < Object.FaceMatIDCount(); ++i) {
        const int32_t id = Object.FaceMatID(i);
        if (id > MaxFaceMatID) throw quillaby::Error("PrimitiveListFrom3DMObject error: FaceID>1000");
        if (id < 0) RaiseListIndexError(id);
        groups[id].push_back(i);
    }
    for (const auto& [id, faces] : groups) List.Add(PrimitiveFrom3DMFaces(faces, Object).release());
}

std::unique_ptr<TGLPrimitive> PrimitiveFrom3DMFile(const T3DMFile& File) {
    if (File.ObjectCount() == 0) return nullptr;
    std::unique_ptr<TGLPrimitive> result = PrimitiveFrom3DMObject(File.Objects(0));
    for (int i = 1; i < File.ObjectCount(); ++i)
        result->AddPrimitive(*PrimitiveFrom3DMObject(File.Objects(i)));
    return result;
}

std::string DiffuseMapName(const T3DMMaterialStandard& Material) {
    return Material.DiffuseMap == "undefined" ? std::string() : Material.DiffuseMap;
}

std::unique_ptr<TGLMaterial> MaterialFrom3DMStandard(const T3DMMaterialStandard& Material) {
    auto material = std::make_unique<TGLMaterial>();
    const Single alpha = Material.Opacity * 0.01f;
    material->SetAmbient(Scaled(Material.Ambient, alpha));
    material->SetDiffuse(Scaled(Material.Diffuse, alpha));
    material->SetEmission(Scaled(Material.SelfIllumColor, alpha));
    // The specular colour leans towards the diffuse colour as the level falls.
    const Single s = Material.SpecularLevel * 0.01f;
    const T3DMColor& sp = Material.Specular;
    const T3DMColor& d = Material.Diffuse;
    material->SetSpecular(Scaled(
        T3DMColor{s * sp.R + (1 - s) * d.R, s * sp.G + (1 - s) * d.G, s * sp.B + (1 - s) * d.B}, alpha));
    material->SetShininess(Material.Glossiness * 0.128f);
    material->SetFrontFace(true);
    material->SetBackFace(Material.TwoSided);
    return material;
}

void ModelFrom3DMFile(const T3DMFile& File, TGLTextureList& Textures, TGLMaterialList& Materials,
                      TGLPrimitiveList& Primitives, const TLoadSettings& From) {
    if (File.ObjectCount() == 0) return;
    Materials.Clear();
    Primitives.Clear();
    Textures.Clear();
    for (int i = 0; i < File.ObjectCount(); ++i) PrimitiveListFrom3DMObject(File.Objects(i), Primitives);
    const T3DMMaterialList& materials = File.Materials();
    for (int i = 0; i < materials.Count(); ++i) {
        const T3DMMaterial* material = materials.Items(i);
        if (const auto* standard = dynamic_cast<const T3DMMaterialStandard*>(material)) {
            AddMaterial(*standard, Materials);
            AddTexture(*standard, Textures, From);
        } else if (const auto* multi = dynamic_cast<const T3DMMaterialMultiSubObject*>(material)) {
            const T3DMMaterialList& subs = multi->SubMaterials;
            for (int s = 0; s < subs.Count(); ++s)
                if (const auto* sub = dynamic_cast<const T3DMMaterialStandard*>(subs.Items(s)))
                    AddMaterial(*sub, Materials);
            for (int s = 0; s < subs.Count(); ++s)
                if (const auto* sub = dynamic_cast<const T3DMMaterialStandard*>(subs.Items(s)))
                    AddTexture(*sub, Textures, From);
        }
    }
}

std::unique_ptr<TGLPrimitive> LoadPrimitive(const std::string& FileName, const TLoadSettings& From) {
    return PrimitiveFrom3DMFile(*Read3DMFile(FileName, From));
}

void LoadModel(const std::string& FileName, TGLTextureList& Textures, TGLMaterialList& Materials,
               TGLPrimitiveList& Primitives, const TLoadSettings& From) {
    ModelFrom3DMFile(*Read3DMFile(FileName, From), Textures, Materials, Primitives, From);
}

void LoadPrimitiveList(const std::string& FileName, TGLPrimitiveList& List, const TLoadSettings& From) {
    const std::unique_ptr<T3DMFile> file = Read3DMFile(FileName, From);
    List.Clear();
    for (int i = 0; i < file->ObjectCount(); ++i) PrimitiveListFrom3DMObject(file->Objects(i), List);
}
