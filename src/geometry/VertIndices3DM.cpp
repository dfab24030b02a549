#include "geometry/VertIndices3DM.h"

#include <algorithm>
#include <string>

#include "base/Error.h"

namespace {

[[noreturn]] void RaiseListIndex(int64_t Index) {
    throw quillaby::Error("List index out of bounds (" + std::to_string(Index) + ")");
}

} // namespace

TVertIndices3DMList::TVertIndices3DMList(int VertexCount)
    : FBucketFirst(static_cast<size_t>(VertexCount > 0 ? VertexCount : 0), -1),
      FBucketLast(FBucketFirst.size(), -1) {}

int32_t TVertIndices3DMList::FindOrAdd(int32_t VertexNumber, int32_t TexIndex, int32_t ColorIndex) {
    const int64_t bucket = static_cast<int64_t>(VertexNumber) - 1;
    if (bucket < 0 || bucket >= static_cast<int64_t>(FBucketFirst.size())) RaiseListIndex(bucket);
    const auto b = static_cast<size_t>(bucket);
    for (int32_t r = FBucketFirst[b]; r >= 0; r = FNextInBucket[static_cast<size_t>(r)]) {
        if (FRecords[static_cast<size_t>(r)].TexIndex == TexIndex)
            return FRecords[static_cast<size_t>(r)].NewIndex;
    }
    const auto index = static_cast<int32_t>(FRecords.size());
    FRecords.push_back(T3DMVertIndices{VertexNumber, index, TexIndex, ColorIndex});
    FNextInBucket.push_back(-1);
    if (FBucketLast[b] >= 0)
        FNextInBucket[static_cast<size_t>(FBucketLast[b])] = index;
    else
        FBucketFirst[b] = index;
    FBucketLast[b] = index;
    return index;
}

T3DMVertIndices TVertIndices3DMList::Records(int Index) const {
    if (Index < 0 || Index >= Count()) RaiseListIndex(Index);
    return FRecords[static_cast<size_t>(Index)];
}

void TVertIndices3DMList::Clear() {
    std::fill(FBucketFirst.begin(), FBucketFirst.end(), -1);
    std::fill(FBucketLast.begin(), FBucketLast.end(), -1);
    FNextInBucket.clear();
    FRecords.clear();
}
