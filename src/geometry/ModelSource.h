#pragma once
// Where the text of a model or key-frame list comes from: a disk file, or the program's
// embedded resource named after the file.
#include <string>

namespace quillaby {

// The whole text of FileName: from the embedded resource named after it when FromResource is
// true, from the disk otherwise. Raises "Cannot open file %s" or "Resource %s not found".
std::string ReadModelText(const std::string& FileName, bool FromResource);

} // namespace quillaby
