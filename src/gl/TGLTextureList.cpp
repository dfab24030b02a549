#include "gl/TGLTextureList.h"

#include <string>

#include "base/Error.h"

TGLTextureList::~TGLTextureList() {
    Clear();
}

void TGLTextureList::Add(TGLTexture* texture) {
    if (!texture) throw quillaby::Error("TGLTextureList error: Add NIL Texture!");
    items_.push_back(texture);
    texture->AddRef();
}

void TGLTextureList::Add(std::unique_ptr<TGLTexture> texture) {
    if (!texture) throw quillaby::Error("TGLTextureList error: Add NIL Texture!");
    items_.reserve(items_.size() + 1); // so that nothing can fail once ownership has moved
    Add(texture.release());
}

TGLTexture* TGLTextureList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw quillaby::Error("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void TGLTextureList::Clear() {
    // Emptied first, so a texture whose destructor runs never sees a half-cleared list.
    std::vector<TGLTexture*> items;
    items.swap(items_);
    for (TGLTexture* t : items) t->Release();
}
