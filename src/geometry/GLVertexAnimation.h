#pragma once
// Key-frame animation of a primitive's vertices: each key is a complete vertex set, and the
// primitive shows the linear blend of the two keys around the current time.
#include "geometry/AnimClasses.h"
#include "math/DArrays.h"

class TGLPrimitive;

class TGLVertexKey : public TAnimationKey {
  public:
    TGLVectorDArray Vertices;
};

// An animation of one primitive, which it does not own: the primitive must outlive it.
class TGLPrimiteveItemsAnimation : public TKeyAnimation {
  public:
    TGLPrimitive* Primitive = nullptr;
};

class TGLVertexAnimation : public TGLPrimiteveItemsAnimation {
  public:
    // Adds an empty vertex key at Time and returns its vertices for the caller to fill.
    TGLVectorDArray& AddKey(Extended Time);

  protected:
    // A key set whose size differs from the primitive's vertex count leaves the primitive as it
    // is, so the primitive's indices never name a vertex it lacks.
    void Interpolate(const TAnimationKey& Key1, const TAnimationKey& Key2, Extended Factor) override;
};
