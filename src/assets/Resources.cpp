#include "assets/Resources.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/Error.h"
#include "base/Utf8Path.h"
#include "platform/FileOpen.h"

namespace quillaby {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::string ResourceName(std::string_view fileName) {
    const auto slash = fileName.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
    const auto dot = name.find('.');
    if (dot != std::string::npos) name[dot] = '_';
    return name;
}

bool SameResourceName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

ResourceData ResourceSource::Get(std::string_view resourceName) const {
    if (auto found = Find(resourceName)) return std::move(*found);
    throw Error("Resource " + std::string(resourceName) + " not found");
}

std::optional<ResourceData> EmbeddedResources::Find(std::string_view resourceName) const {
    for (const ResourceEntry& e : FTable) {
        if (SameResourceName(ResourceName(e.Name), resourceName))
            return ResourceData(std::span(e.Data, e.Size));
    }
    return std::nullopt;
}

std::optional<ResourceData> DirectoryResources::Find(std::string_view resourceName) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Sorted, so that two files with the same resource name always resolve the same way.
    std::vector<fs::path> matches;
    for (fs::directory_iterator it(Utf8Path(FDirectory), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) &&
            SameResourceName(ResourceName(Utf8String(it->path().filename())), resourceName))
            matches.push_back(it->path());
    }
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end());
    return ResourceData(ReadWholeFile(Utf8String(matches.front())));
}

const ResourceSource& ProgramResources() {
    static const EmbeddedResources resources(ProgramResourceTable());
    return resources;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(platform::OpenFile(path, "rb"));
    std::error_code ec;
    if (!f || std::filesystem::is_directory(Utf8Path(path), ec)) throw Error("Cannot open file " + path);
    const auto tooLarge = [&path] {
        return Error("File " + path + " is too large (over " + std::to_string(MaxFileBytes >> 20) + " MB)");
    };
    // Refused before reading where the size is known; devices and pipes are capped while reading.
    const auto size = std::filesystem::file_size(Utf8Path(path), ec);
    if (!ec && size > MaxFileBytes) throw tooLarge();
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
        if (bytes.size() + n > MaxFileBytes) throw tooLarge();
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) break;
    }
    if (std::ferror(f.get())) throw Error("Cannot open file " + path);
    return bytes;
}

} // namespace quillaby
