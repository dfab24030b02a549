#pragma once
// Paths travel through the program as UTF-8 strings; std::filesystem takes and gives them here, so
// that Windows (whose narrow paths are in the ANSI code page) sees every folder a user can make.
#include <filesystem>
#include <string>
#include <string_view>

namespace quillaby {

inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8String(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace quillaby
