#pragma once
// Writes a picture as an 8-bit RGBA PNG file.
#include <cstdint>
#include <string>
#include <vector>

namespace quillaby::app {

// Rows top to bottom, 4 bytes a pixel (R, G, B, A). Raises Error with the file name on failure.
void WritePng(const std::string& fileName, int width, int height, const std::vector<uint8_t>& rgba);

// Reads an 8-bit RGBA (or RGB, expanded with alpha 255) PNG file, rows top to bottom.
// Raises Error with the file name on failure.
std::vector<uint8_t> ReadPng(const std::string& fileName, int& width, int& height);

} // namespace quillaby::app
