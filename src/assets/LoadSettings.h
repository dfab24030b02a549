#pragma once
// Where the loaders of images, models and text lists read from: the program's resources or
// files in a directory.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "assets/Resources.h"

struct TLoadSettings {
    // true: images, models and text lists come from Resources; false: from files.
    bool LoadFromResources = false;
    // Put in front of an image name to make its file name; the name is appended unchanged.
    std::string ImageDirectory;
    // Put in front of a model or key-frame list name to make its file name.
    std::string ModelDirectory;
    // The resources consulted when LoadFromResources is on; none means the program's own.
    // The program's "--assets DIR" puts a quillaby::DirectoryResources of DIR here.
    std::shared_ptr<const quillaby::ResourceSource> Resources;

    const quillaby::ResourceSource& Source() const {
        return Resources ? *Resources : quillaby::ProgramResources();
    }
};

// Makes the files of `directory` stand in for the program's resources (the program's
// "--assets DIR"): with LoadFromResources on, every loader then reads the file whose resource
// name matches, so "Voda1.jpg" in the directory serves the resource VODA1_JPG.
void UseAssetDirectory(TLoadSettings& settings, const std::string& directory);

// The program's own settings, one for the whole process: the saver host switches
// LoadFromResources on, the scene sets the directories, the loaders read them.
TLoadSettings& LoadSettings();

// The bytes of the image or text file `name` (a directory part is allowed): with
// LoadFromResources the resource of its resource name ("Resource %s not found"), otherwise the
// file ImageDirectory + name ("Cannot open file %s").
quillaby::ResourceData ReadImageData(std::string_view name, const TLoadSettings& from);

// Text split into lines at CR LF, LF or CR; a final line break does not start another line.
std::vector<std::string> SplitLines(std::span<const unsigned char> text);
