#pragma once
// TVertIndices3DMList: reconciles a 3DM object's separate numbering of positions, texture
// coordinates and colours into the single vertex numbering of a primitive. A position used with
// two texture coordinates becomes two vertices; the colour does not split a vertex (the first
// use's colour wins).
#include <cstdint>
#include <vector>

struct T3DMVertIndices {
    int32_t VertexNumber = 0; // 1-based 3DM vertex
    int32_t NewIndex = 0;     // vertex index in the primitive
    int32_t TexIndex = 0;     // 1-based texture coordinate, 0 when the object has none
    int32_t ColorIndex = 0;   // 1-based colour, 0 when the object has none
};

class TVertIndices3DMList {
  public:
    // One bucket per 3DM vertex of the object.
    explicit TVertIndices3DMList(int VertexCount);

    // The primitive's vertex index for the combination: the first record of the vertex's bucket
    // with this texture index, or a new record numbered in order of first use. Raises the
    // list-index error for a vertex number outside 1..VertexCount.
    int32_t FindOrAdd(int32_t VertexNumber, int32_t TexIndex, int32_t ColorIndex);

    int Count() const { return static_cast<int>(FRecords.size()); }
    // A copy of record Index (creation order); raises the list-index error outside 0..Count-1.
    T3DMVertIndices Records(int Index) const;
    // Empties every bucket; the next new record is numbered 0 again.
    void Clear();

  private:
    // Each bucket is a chain through FNextInBucket, kept in creation order, so a look-up touches
    // only the records of one position and adding allocates nothing per bucket.
    std::vector<int32_t> FBucketFirst, FBucketLast;
    std::vector<int32_t> FNextInBucket;
    std::vector<T3DMVertIndices> FRecords;
};
