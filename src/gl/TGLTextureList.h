#pragma once
// TGLTextureList: an ordered list of shared textures holding one reference per entry.
#include <memory>

#include "gl/TGLItemRefList.h"
#include "gl/TGLTexture.h"

class TGLTextureList : public TGLItemRefList<TGLTexture> {
  public:
    // Appends the texture and takes one reference on it. An empty reference raises
    // "TGLTextureList error: Add NIL Texture!" and leaves the list unchanged.
    void Add(TGLTexture* texture) { AddItem(texture, NilMessage); }
    // The same for a texture the caller owned alone (as the loaders return them): the list's
    // reference becomes its owner. An empty one raises as above.
    void Add(std::unique_ptr<TGLTexture> texture);

  private:
    static constexpr const char* NilMessage = "TGLTextureList error: Add NIL Texture!";
};
