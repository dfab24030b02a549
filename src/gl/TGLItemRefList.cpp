#include "gl/TGLItemRefList.h"

void RaiseListIndexError(int Index) {
    throw quillaby::Error("List index out of bounds (" + std::to_string(Index) + ")");
}
