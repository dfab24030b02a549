#pragma once
// Pictures read and decoded: BMP and JPEG from the program's resources or from files, into bitmaps.
// Every operation reads where the settings say (LoadSettings() unless the caller passes its own).
#include <memory>
#include <string_view>

#include "assets/Bitmap.h"
#include "assets/LoadSettings.h"

// Decodes the bitmap resource belonging to `name` (resource-name rule) into bitmap.
void LoadBitmapResource(std::string_view name, quillaby::Bitmap& bitmap,
                        const TLoadSettings& from = LoadSettings());
// Decodes the raw-data resource belonging to `name` as a JPEG stream into bitmap.
void LoadJPEGResource(std::string_view name, quillaby::Bitmap& bitmap,
                      const TLoadSettings& from = LoadSettings());

// Whether `name` ends in a picture's extension: ".bmp", ".jpg" or ".jepg" (not ".jpeg"), compared
// without regard to case.
bool IsPictureName(std::string_view name);
// The picture `name` decoded by its extension: ".bmp" as BMP, ".jpg" or ".jepg" as JPEG; any other
// extension gives an empty bitmap and reads nothing.
std::unique_ptr<quillaby::Bitmap> LoadBitmap(std::string_view name,
                                             const TLoadSettings& from = LoadSettings());
