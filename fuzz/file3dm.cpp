// Feeds arbitrary text to the 3DM reader and imports whatever it read: every outcome must be a
// model or a quillaby::Error, never a crash, a hang or a read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Error.h"
#include "geometry/File3DM.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    T3DMFile file;
    try {
        file.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.3dm");
    } catch (const quillaby::Error&) {
    }
    // Import what was read, also after a failed load: partial objects must import or fail cleanly.
    for (int i = 0; i < file.ObjectCount(); ++i) {
        try {
            TGLPrimitiveList list;
            PrimitiveListFrom3DMObject(file.Objects(i), list);
        } catch (const quillaby::Error&) {
        }
    }
    try {
        PrimitiveFrom3DMFile(file);
    } catch (const quillaby::Error&) {
    }
    return 0;
}
