#include "assets/StringList.h"

#include "assets/Resources.h"

void LoadStringsResource(std::string_view name, std::vector<std::string>& lines, const TLoadSettings& from) {
    const auto data = from.Source().Get(quillaby::ResourceName(name));
    lines = SplitLines(data.Bytes());
}

void LoadStringsFile(const std::string& path, std::vector<std::string>& lines) {
    lines = SplitLines(quillaby::ReadWholeFile(path));
}
