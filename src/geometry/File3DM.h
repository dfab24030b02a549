#pragma once
// T3DMFile: the in-memory form of a 3DM model text (named objects with vertices, triangles,
// per-vertex data, a transform and per-face material ids, plus the file's materials).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "geometry/Material3DM.h"
#include "math/Geometry.h"

class TASCFile;
struct T3DMChunk;
namespace quillaby {
class ResourceSource;
}

// Raises the list-index error "List index out of bounds (<Index>)".
[[noreturn]] void Raise3DMListIndex(int64_t Index);

// An ordered list of records. FirstNumber is the number of the first record in Get: faces are
// addressed by 0-based position, vertices, colours and texture coordinates by the 1-based
// numbers that faces store.
template <typename Record, int FirstNumber> class T3DMList {
  public:
    void Add(const Record& Item) { FItems.push_back(Item); }
    int Count() const { return static_cast<int>(FItems.size()); }
    bool Contains(int Number) const { return Number >= FirstNumber && Number - FirstNumber < Count(); }
    // Raises the list-index error for a number that names no record.
    const Record& Get(int Number) const {
        if (!Contains(Number)) Raise3DMListIndex(static_cast<int64_t>(Number) - FirstNumber);
        return FItems[static_cast<size_t>(Number - FirstNumber)];
    }
    void Clear() { FItems.clear(); }

  private:
    std::vector<Record> FItems;
};

// One triangle: three 1-based numbers into a vertex, texture-coordinate or colour list.
struct T3DMFace {
    int32_t A = 0, B = 0, C = 0;
    int32_t operator[](int Corner) const { return Corner == 0 ? A : Corner == 1 ? B : C; }
};

using T3DMFaceList = T3DMList<T3DMFace, 0>;
using T3DMVertexList = T3DMList<TGLVector, 1>;
using T3DMColorList = T3DMList<T3DMColor, 1>;
using T3DMTextureCoordList = T3DMList<TGLTextureCoord, 1>;

class T3DMObject {
  public:
    std::string Name;
    T3DMVertexList Vertices;
    T3DMVertexList Normals;
    T3DMColorList Colors;
    T3DMTextureCoordList TextureCoords;
    T3DMFaceList VertexFaces, ColorFaces, TextureCoordFaces;
    bool HasNormals = false;
    bool HasTextureCoords = false;
    bool HasColors = false;
    bool HasTransform = false;
    // Rows: X axis, Y axis, Z axis, translation; all zero until a "(matrix3" line is read.
    Single Transform[4][3] = {};
    // True once a "(matrix3" line was read; a Transform section without one gives the identity.
    bool HasMatrix = false;
    std::vector<int32_t> FaceMatIDs;

    int FaceMatIDCount() const { return static_cast<int>(FaceMatIDs.size()); }
    // Raises the list-index error outside 0..FaceMatIDCount-1.
    int32_t FaceMatID(int Index) const;
};

class T3DMFile {
  public:
    T3DMFile() = default;
    T3DMFile(const T3DMFile&) = delete;
    T3DMFile& operator=(const T3DMFile&) = delete;

    // When true, LoadFromFile reads the resource named after the file instead of the disk.
    bool FromResource = false;
    // The resources FromResource reads; none means those of the process-wide load settings.
    const quillaby::ResourceSource* Resources = nullptr;

    // Replaces the contents with what the named file (or resource) holds. Errors propagate;
    // what was read before an error stays until the next load or Clear.
    void LoadFromFile(const std::string& FileName);
    // Replaces the contents with what Text holds; SourceName names it in messages.
    void LoadFromText(std::string_view Text, const std::string& SourceName);
    void Clear();

    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    // Raises the list-index error outside 0..ObjectCount-1.
    T3DMObject& Objects(int Index) const;
    T3DMMaterialList& Materials() { return FMaterials; }
    const T3DMMaterialList& Materials() const { return FMaterials; }
    int32_t Version() const { return FVersion; }

  private:
    void ReadSection(TASCFile& Reader, const T3DMChunk& Chunk);
    T3DMObject& CurrentObject(const TASCFile& Reader, const T3DMChunk& Chunk) const;

    std::vector<std::unique_ptr<T3DMObject>> FObjects;
    T3DMMaterialList FMaterials;
    int32_t FVersion = 0;
};
