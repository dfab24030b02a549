#pragma once
// TDArray: a growable block of fixed-size elements, and the four typed mesh arrays
// whose storage goes straight to OpenGL's vertex-array calls.
#include <cstddef>
#include <memory>
#include <span>

#include "math/Geometry.h"

class TDArray {
  public:
    TDArray() : TDArray(1) {}
    virtual ~TDArray() = default;
    TDArray(const TDArray&) = delete;
    TDArray& operator=(const TDArray&) = delete;

    int Count() const { return FCount; }
    int ItemSize() const { return FItemSize; }
    // The block, or nullptr when Count is 0.
    void* Data() { return FData.get(); }
    const void* Data() const { return FData.get(); }

    // Copy one element out of / into the block; raise on an index outside 0..Count-1.
    void GetItem(int Index, void* Item) const;
    void SetItem(int Index, const void* Item);

    // Resizing is exact: every change reallocates and copies; added elements are zero bytes.
    void Grow(int Delta);
    void Shrink(int Delta);
    void SetCount(int NewCount);
    // Make Dest a copy of this array (nothing when Dest is null or this is empty).
    void AssignTo(TDArray* Dest) const;
    // Append Source's elements (nothing when null, empty, or of another item size).
    void Append(const TDArray* Source);

  protected:
    explicit TDArray(int itemSize) : FItemSize(itemSize) {}

  private:
    void Reallocate(int newCount);

    std::unique_ptr<std::byte[]> FData;
    int FCount = 0;
    int FItemSize = 1;
};

class TGLVectorDArray : public TDArray {
  public:
    TGLVectorDArray() : TDArray(sizeof(TGLVector)) {}
    using TDArray::GetItem;
    using TDArray::SetItem;
    void GetItem(int Index, TGLVector& Item) const { TDArray::GetItem(Index, &Item); }
    TGLVector GetItem(int Index) const;
    void SetItem(int Index, const TGLVector& Item) { TDArray::SetItem(Index, &Item); }
    void SetVector(int Index, Single X, Single Y, Single Z) { SetItem(Index, TGLVector{X, Y, Z}); }
    // Resizes to Values.size() / 3 and takes three values per vector.
    void SetFromArray(std::span<const Single> Values);
    void ZeroAll();
    TGLVector* Items() { return static_cast<TGLVector*>(Data()); }
    const TGLVector* Items() const { return static_cast<const TGLVector*>(Data()); }
};

class TGLColorDArray : public TDArray {
  public:
    TGLColorDArray() : TDArray(sizeof(TGLColor)) {}
    using TDArray::GetItem;
    using TDArray::SetItem;
    TGLColor GetItem(int Index) const;
    void SetItem(int Index, const TGLColor& Item) { TDArray::SetItem(Index, &Item); }
    // Stores alpha 1.0.
    void SetColor(int Index, Single R, Single G, Single B) { SetItem(Index, TGLColor{R, G, B, 1.0f}); }
    // Resizes to Values.size() / 3; alpha 1.0.
    void SetFromArray(std::span<const Single> Values);
    TGLColor* Items() { return static_cast<TGLColor*>(Data()); }
    const TGLColor* Items() const { return static_cast<const TGLColor*>(Data()); }
};

class TGLTextureCoordDArray : public TDArray {
  public:
    TGLTextureCoordDArray() : TDArray(sizeof(TGLTextureCoord)) {}
    using TDArray::GetItem;
    using TDArray::SetItem;
    void GetItem(int Index, TGLTextureCoord& Item) const { TDArray::GetItem(Index, &Item); }
    TGLTextureCoord GetItem(int Index) const;
    void SetItem(int Index, const TGLTextureCoord& Item) { TDArray::SetItem(Index, &Item); }
    void SetCoord(int Index, Single U, Single V) { SetItem(Index, TGLTextureCoord{U, V}); }
    // Resizes to Values.size() / 2.
    void SetFromArray(std::span<const Single> Values);
    TGLTextureCoord* Items() { return static_cast<TGLTextureCoord*>(Data()); }
    const TGLTextureCoord* Items() const { return static_cast<const TGLTextureCoord*>(Data()); }
};

class TGLIndexDArray : public TDArray {
  public:
    TGLIndexDArray() : TDArray(sizeof(int32_t)) {}
    int32_t GetIndex(int Index) const;
    void SetIndex(int Index, int32_t Value) { SetItem(Index, &Value); }
    void SetFromArray(std::span<const int32_t> Values);
    int32_t* Items() { return static_cast<int32_t*>(Data()); }
    const int32_t* Items() const { return static_cast<const int32_t*>(Data()); }
};
