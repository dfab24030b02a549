#pragma once
// Text lists (a model's key-frame list, for one): the lines of a resource or of a file.
#include <string>
#include <string_view>
#include <vector>

#include "assets/LoadSettings.h"

// Fills lines with the text lines of the raw-data resource belonging to `name`.
void LoadStringsResource(std::string_view name, std::vector<std::string>& lines,
                         const TLoadSettings& from = LoadSettings());
// Fills lines with the text lines of the file at path ("Cannot open file %s").
void LoadStringsFile(const std::string& path, std::vector<std::string>& lines);
