#pragma once
// TGLTextureList: an ordered list of shared textures holding one reference per entry.
#include <memory>
#include <vector>

#include "gl/TGLTexture.h"

class TGLTextureList {
  public:
    TGLTextureList() = default;
    ~TGLTextureList();
    TGLTextureList(const TGLTextureList&) = delete;
    TGLTextureList& operator=(const TGLTextureList&) = delete;

    // Appends the texture and takes one reference on it. An empty reference raises
    // "TGLTextureList error: Add NIL Texture!" and leaves the list unchanged.
    void Add(TGLTexture* texture);
    // The same for a texture the caller owned alone (as the loaders return them): the list's
    // reference becomes its owner.
    void Add(std::unique_ptr<TGLTexture> texture);
    // The entry at index; outside 0 .. Count - 1 raises "List index out of bounds (%d)".
    TGLTexture* Items(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    // Releases every entry, first to last, then empties the list.
    void Clear();

  private:
    std::vector<TGLTexture*> items_;
};
