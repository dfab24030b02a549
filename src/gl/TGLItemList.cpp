#include "gl/TGLItemList.h"

int TGLItemList::Release() {
    const int count = --RefCount;
    if (count <= 0) delete this;
    return count;
}
