#pragma once
// Resources held in memory for the model tests, keyed by file name like the embedded table.
#include <map>
#include <string>

#include "assets/Resources.h"

class MemoryResources : public quillaby::ResourceSource {
  public:
    void Put(const std::string& fileName, const std::string& text) { FFiles[fileName] = text; }

    std::optional<quillaby::ResourceData> Find(std::string_view resourceName) const override {
        for (const auto& [name, text] : FFiles) {
            if (quillaby::SameResourceName(quillaby::ResourceName(name), resourceName))
                return quillaby::ResourceData(std::vector<unsigned char>(text.begin(), text.end()));
        }
        return std::nullopt;
    }

  private:
    std::map<std::string, std::string> FFiles;
};
