#include "geometry/ModelSource.h"

#include "assets/Resources.h"

namespace quillaby {

std::string ReadModelText(const std::string& FileName, bool FromResource, const ResourceSource& Resources) {
    if (FromResource) {
        const ResourceData data = Resources.Get(ResourceName(FileName));
        const auto bytes = data.Bytes();
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    const std::vector<unsigned char> bytes = ReadWholeFile(FileName);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace quillaby
