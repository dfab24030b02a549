#pragma once
// Where the text of a model or key-frame list comes from: a disk file, or the resource named
// after the file (resource-name rule: "Dollaro00f.3dm" is resource "DOLLARO00F_3DM").
#include <string>

namespace quillaby {

class ResourceSource;

// The whole text of FileName: from Resources (the resource named after the file) when
// FromResource is true, from the disk otherwise. Raises "Resource %s not found" or
// "Cannot open file %s".
std::string ReadModelText(const std::string& FileName, bool FromResource, const ResourceSource& Resources);

} // namespace quillaby
