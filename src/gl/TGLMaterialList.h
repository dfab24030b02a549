#pragma once
// TGLMaterialList: the materials of a model, one reference held per entry.
#include "gl/TGLItemRefList.h"
#include "gl/TGLMaterial.h"

class TGLMaterialList : public TGLItemRefList<TGLMaterial> {
  public:
    void Add(TGLMaterial* Material) { AddItem(Material, "TGLMaterialList error: Add NIL Material!"); }
};
