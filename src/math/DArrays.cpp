#include "math/DArrays.h"

#include <climits>
#include <cstring>
#include <new>

#include "base/Error.h"

void TDArray::GetItem(int Index, void* Item) const {
    if (Index < 0 || Index >= FCount) throw quillaby::Error("TDArray GetItem: index out of bounds.");
    std::memcpy(Item, FData.get() + static_cast<size_t>(Index) * FItemSize, FItemSize);
}

void TDArray::SetItem(int Index, const void* Item) {
    if (Index < 0 || Index >= FCount) throw quillaby::Error("TDArray SetItem: index out of bounds.");
    std::memcpy(FData.get() + static_cast<size_t>(Index) * FItemSize, Item, FItemSize);
}

void TDArray::Reallocate(int newCount) {
    if (newCount <= 0) {
        FData.reset();
        FCount = 0;
        return;
    }
    // Allocate first: on failure the old block and Count stay as they were.
    std::unique_ptr<std::byte[]> block(new std::byte[static_cast<size_t>(newCount) * FItemSize]());
    const int kept = newCount < FCount ? newCount : FCount;
    if (kept > 0) std::memcpy(block.get(), FData.get(), static_cast<size_t>(kept) * FItemSize);
    FData = std::move(block);
    FCount = newCount;
}

void TDArray::Grow(int Delta) {
    if (Delta <= 0) return;
    // A count beyond int cannot be held: that is running out of memory, not a smaller array.
    if (Delta > INT_MAX - FCount) throw std::bad_alloc();
    Reallocate(FCount + Delta);
}

void TDArray::Shrink(int Delta) {
    if (Delta <= 0) return;
    Reallocate(FCount - Delta);
}

void TDArray::SetCount(int NewCount) {
    if (NewCount > FCount)
        Grow(NewCount - FCount);
    else if (NewCount < FCount)
        Shrink(FCount - NewCount);
}

void TDArray::AssignTo(TDArray* Dest) const {
    if (Dest == nullptr || FCount == 0 || Dest == this) return;
    if (Dest->FItemSize != FItemSize) {
        Dest->SetCount(0);
        Dest->FItemSize = FItemSize;
    }
    Dest->SetCount(FCount);
    std::memcpy(Dest->FData.get(), FData.get(), static_cast<size_t>(FCount) * FItemSize);
}

void TDArray::Append(const TDArray* Source) {
    if (Source == nullptr || Source->FCount == 0 || Source->FItemSize != FItemSize) return;
    const int oldCount = FCount;
    const int added = Source->FCount; // read first: Source may be this array
    std::unique_ptr<std::byte[]> copy(new std::byte[static_cast<size_t>(added) * FItemSize]);
    std::memcpy(copy.get(), Source->FData.get(), static_cast<size_t>(added) * FItemSize);
    Grow(added);
    std::memcpy(FData.get() + static_cast<size_t>(oldCount) * FItemSize, copy.get(),
                static_cast<size_t>(added) * FItemSize);
}

TGLVector TGLVectorDArray::GetItem(int Index) const {
    TGLVector v;
    TDArray::GetItem(Index, &v);
    return v;
}

void TGLVectorDArray::SetFromArray(std::span<const Single> Values) {
    const int n = static_cast<int>(Values.size() / 3);
    SetCount(n);
    for (int i = 0; i < n; ++i) SetVector(i, Values[3 * i], Values[3 * i + 1], Values[3 * i + 2]);
}

void TGLVectorDArray::ZeroAll() {
    TGLVector* v = Items();
    for (int i = 0; i < Count(); ++i) v[i] = NullVector;
}

TGLColor TGLColorDArray::GetItem(int Index) const {
    TGLColor c;
    TDArray::GetItem(Index, &c);
    return c;
}

void TGLColorDArray::SetFromArray(std::span<const Single> Values) {
    const int n = static_cast<int>(Values.size() / 3);
    SetCount(n);
    for (int i = 0; i < n; ++i) SetColor(i, Values[3 * i], Values[3 * i + 1], Values[3 * i + 2]);
}

TGLTextureCoord TGLTextureCoordDArray::GetItem(int Index) const {
    TGLTextureCoord c;
    TDArray::GetItem(Index, &c);
    return c;
}

void TGLTextureCoordDArray::SetFromArray(std::span<const Single> Values) {
    const int n = static_cast<int>(Values.size() / 2);
    SetCount(n);
    for (int i = 0; i < n; ++i) SetCoord(i, Values[2 * i], Values[2 * i + 1]);
}

int32_t TGLIndexDArray::GetIndex(int Index) const {
    int32_t value;
    GetItem(Index, &value);
    return value;
}

void TGLIndexDArray::SetFromArray(std::span<const int32_t> Values) {
    const int n = static_cast<int>(Values.size());
    SetCount(n);
    for (int i = 0; i < n; ++i) SetIndex(i, Values[i]);
}
