#pragma once
// The resources the program carries: name -> bytes, looked up by the resource name derived
// from a file name ("Voda1.jpg" -> "Voda1_jpg"), without regard to case.
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/ResourceEntry.h"

namespace quillaby {

// Drops any directory part ("/" or "\"), then replaces the first "." by "_".
std::string ResourceName(std::string_view fileName);
// True when the two names are equal without regard to ASCII case.
bool SameResourceName(std::string_view a, std::string_view b);

// The bytes of one resource: a view of data built into the program, or bytes read from a file.
class ResourceData {
  public:
    explicit ResourceData(std::span<const unsigned char> view) : FView(view) {}
    explicit ResourceData(std::vector<unsigned char> bytes) : FOwned(std::move(bytes)), FOwns(true) {}

    std::span<const unsigned char> Bytes() const { return FOwns ? std::span(FOwned) : FView; }
    std::size_t Size() const { return Bytes().size(); }

  private:
    std::span<const unsigned char> FView;
    std::vector<unsigned char> FOwned;
    bool FOwns = false;
};

// A set of named resources.
class ResourceSource {
  public:
    virtual ~ResourceSource() = default;
    // The resource whose resource name equals resourceName without regard to case, if any.
    virtual std::optional<ResourceData> Find(std::string_view resourceName) const = 0;
    // Like Find, but raises "Resource %s not found" (with resourceName) when there is none.
    ResourceData Get(std::string_view resourceName) const;
};

// A table written by the build's embedding step. Entries are matched by the resource name of
// the file name they were embedded from.
class EmbeddedResources : public ResourceSource {
  public:
    explicit EmbeddedResources(std::span<const ResourceEntry> table) : FTable(table) {}
    std::optional<ResourceData> Find(std::string_view resourceName) const override;
    std::span<const ResourceEntry> Table() const { return FTable; }

  private:
    std::span<const ResourceEntry> FTable;
};

// The files of one directory standing in for the embedded resources (the program's
// --assets DIR): a file is found by the resource name of its file name.
class DirectoryResources : public ResourceSource {
  public:
    explicit DirectoryResources(std::string directory) : FDirectory(std::move(directory)) {}
    // Raises "Cannot open file %s" when the matching file cannot be read.
    std::optional<ResourceData> Find(std::string_view resourceName) const override;
    const std::string& Directory() const { return FDirectory; }

  private:
    std::string FDirectory;
};

// The table built into the executable (resources/CMakeLists.txt decides what goes in).
std::span<const ResourceEntry> ProgramResourceTable();
// The program's own resources as a source; one object for the whole process.
const ResourceSource& ProgramResources();

// The largest file ReadWholeFile takes: far above any asset (the built-in ones total about 1 MB).
constexpr std::size_t MaxFileBytes = std::size_t{64} << 20;

// The whole file at path; raises "Cannot open file %s" with the path when it cannot be read, and
// "File %s is too large (over 64 MB)" beyond MaxFileBytes, before holding more than that.
std::vector<unsigned char> ReadWholeFile(const std::string& path);

} // namespace quillaby
