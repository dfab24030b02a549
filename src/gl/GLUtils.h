#pragma once
// Image loading: BMP and JPEG pictures from the program's resources or from files, decoded
// into bitmaps and turned into textures (colour, or colour with a second picture as alpha);
// text lists from resources. Every operation reads where the settings say (LoadSettings() unless
// the caller passes its own).
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gl/Bitmap.h"
#include "gl/LoadSettings.h"

// Decodes the bitmap resource belonging to `name` (resource-name rule) into bitmap.
void LoadBitmapResource(std::string_view name, quillaby::Bitmap& bitmap,
                        const TLoadSettings& from = LoadSettings());
// Decodes the raw-data resource belonging to `name` as a JPEG stream into bitmap.
void LoadJPEGResource(std::string_view name, quillaby::Bitmap& bitmap,
                      const TLoadSettings& from = LoadSettings());
// Fills lines with the text lines of the raw-data resource belonging to `name`.
void LoadStringsResource(std::string_view name, std::vector<std::string>& lines,
                         const TLoadSettings& from = LoadSettings());
// Fills lines with the text lines of the file at path ("Cannot open file %s").
void LoadStringsFile(const std::string& path, std::vector<std::string>& lines);

// The picture `name` decoded by its extension: ".bmp" as BMP, ".jpg" or ".jepg" as JPEG (not
// ".jpeg"), compared without regard to case; any other extension gives an empty bitmap and
// reads nothing.
std::unique_ptr<quillaby::Bitmap> LoadBitmap(std::string_view name,
                                             const TLoadSettings& from = LoadSettings());
