#pragma once
// One file the build embedded in a resource table. Kept free of other headers because the
// generated table sources include it.
#include <cstddef>

namespace quillaby {

struct ResourceEntry {
    const char* Name; // the file name it was embedded from, e.g. "Voda1.jpg"
    const unsigned char* Data;
    std::size_t Size; // bytes
};

} // namespace quillaby
