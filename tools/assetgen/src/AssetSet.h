#pragma once
// Every file the scene carries, by its file name, with the code that makes it.
#include "Image.h"
#include "ImageFiles.h"

#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct TextureAsset {
    std::string name;
    std::function<Image()> paint;
    bool tiles; // repeats on the meshes, so it must wrap without a seam
};

// The JPEG textures, in a fixed order.
std::vector<TextureAsset> textureAssets();

struct Asset {
    std::string name;
    std::function<Bytes()> make;
};

// Every asset file: models, key-frame list, textures, logo and sound.
std::vector<Asset> allAssets();

// Writes every asset into `directory` (created if missing); returns the file names written.
std::vector<std::string> writeAssets(const std::string& directory);

// A picture of every texture (each beside a 2 x 2 repeat of itself when it tiles) and the logo,
// with their names, for looking at them all at once.
Image contactSheet();

// The program's square icon, size x size pixels: the middle of the logo.
Image programIcon(int size);

// The texture called `name`, each texel drawn as a factor x factor square; throws for an unknown name.
Image zoomedTexture(const std::string& name, int factor);

} // namespace assetgen
