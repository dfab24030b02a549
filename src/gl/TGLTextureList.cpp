#include "gl/TGLTextureList.h"

void TGLTextureList::Add(std::unique_ptr<TGLTexture> texture) {
    AddItem(texture.get(), NilMessage);
    texture.release(); // the list's reference owns it now
}
