#include "geometry/GLVertexAnimation.h"

#include "geometry/TGLPrimitive.h"

TGLVectorDArray& TGLVertexAnimation::AddKey(Extended Time) {
    auto* key = static_cast<TGLVertexKey*>(Add(std::make_unique<TGLVertexKey>(), Time));
    return key->Vertices;
}

void TGLVertexAnimation::Interpolate(const TAnimationKey& Key1, const TAnimationKey& Key2, Extended Factor) {
    if (Primitive == nullptr) return;
    // Keys added through the base class's Add may be of another kind: they show nothing.
    const auto* k1 = dynamic_cast<const TGLVertexKey*>(&Key1);
    const auto* k2 = dynamic_cast<const TGLVertexKey*>(&Key2);
    if (k1 == nullptr || k2 == nullptr) return;
    // A primitive without vertices or indices takes any key; otherwise the key must fit the
    // vertices it already has.
    const int count = Primitive->Vertices.Count();
    const bool blank = count == 0 && Primitive->Indices.Count() == 0;
    if (!blank && k1->Vertices.Count() != count) return;
    if (k1 == k2)
        k1->Vertices.AssignTo(&Primitive->Vertices);
    else
        Primitive->LerpVertices(k1->Vertices, k2->Vertices, static_cast<Single>(Factor));
}
