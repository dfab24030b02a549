#include "geometry/ModelSource.h"

#include <fstream>
#include <sstream>

#include "base/Error.h"

namespace quillaby {

std::string ReadModelText(const std::string& FileName, bool FromResource) {
    if (FromResource) throw Error("Resource " + FileName + " not found");
    std::ifstream in(FileName, std::ios::binary);
    if (!in) throw Error("Cannot open file " + FileName);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw Error("Cannot open file " + FileName);
    return std::move(text).str();
}

} // namespace quillaby
