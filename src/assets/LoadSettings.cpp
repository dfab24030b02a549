#include "assets/LoadSettings.h"

TLoadSettings& LoadSettings() {
    static TLoadSettings settings;
    return settings;
}

void UseAssetDirectory(TLoadSettings& settings, const std::string& directory) {
    settings.Resources = std::make_shared<quillaby::DirectoryResources>(directory);
}

quillaby::ResourceData ReadImageData(std::string_view name, const TLoadSettings& from) {
    if (from.LoadFromResources) return from.Source().Get(quillaby::ResourceName(name));
    return quillaby::ResourceData(quillaby::ReadWholeFile(from.ImageDirectory + std::string(name)));
}

std::vector<std::string> SplitLines(std::span<const unsigned char> text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(reinterpret_cast<const char*>(text.data()) + start, i - start);
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(reinterpret_cast<const char*>(text.data()) + start, n - start);
    return lines;
}
