// assetgen: writes every asset of the scene (--out DIR), a contact sheet of the textures
// (--contact-sheet FILE.png) and, for close inspection, one texture magnified three times
// (--zoom NAME FILE.png), a software sketch of the three themes' scenes (--scene-preview FILE.png) and
// the program's icon made from the logo (--icon SIZE FILE.png), and the same icon at the sizes Windows
// shows (--ico FILE.ico).
#include "AssetSet.h"
#include "ScenePreview.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fprintf(stderr, "usage: assetgen [--out DIR] [--contact-sheet FILE.png] [--zoom NAME FILE.png] "
                         "[--scene-preview FILE.png] [--icon SIZE FILE.png] [--ico FILE.ico]\n");
    return 2;
}

// The three themes one above the other.
assetgen::Image scenePreviews() {
    const int width = 640, height = 360;
    assetgen::Image sheet(width, height * 3);
    for (int theme = 0; theme < 3; ++theme) {
        assetgen::Image frame = assetgen::renderScenePreview(theme, width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) sheet.at(x, theme * height + y) = frame.at(x, y);
    }
    return sheet;
}

void writeFile(const std::string& path, const assetgen::Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("Cannot write file " + path);
}

} // namespace

int main(int argc, char** argv) {
    std::string outDir, sheetPath, zoomName, zoomPath, previewPath, iconPath, icoPath;
    int iconSize = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--out" || arg == "--contact-sheet") && i + 1 < argc) {
            (arg == "--out" ? outDir : sheetPath) = argv[++i];
        } else if (arg == "--scene-preview" && i + 1 < argc) {
            previewPath = argv[++i];
        } else if (arg == "--ico" && i + 1 < argc) {
            icoPath = argv[++i];
        } else if (arg == "--icon" && i + 2 < argc) {
            iconSize = std::atoi(argv[++i]);
            iconPath = argv[++i];
            if (iconSize < 16 || iconSize > 1024) return usage();
        } else if (arg == "--zoom" && i + 2 < argc) {
            zoomName = argv[++i];
            zoomPath = argv[++i];
        } else {
            return usage();
        }
    }
    if (outDir.empty() && sheetPath.empty() && zoomName.empty() && previewPath.empty() && iconPath.empty() &&
        icoPath.empty())
        return usage();
    try {
        if (!outDir.empty()) assetgen::writeAssets(outDir);
        if (!sheetPath.empty()) writeFile(sheetPath, assetgen::encodePng(assetgen::contactSheet()));
        if (!previewPath.empty()) writeFile(previewPath, assetgen::encodePng(scenePreviews()));
        if (!iconPath.empty()) writeFile(iconPath, assetgen::encodePng(assetgen::programIcon(iconSize)));
        if (!icoPath.empty()) {
            // Explorer's small and large icons, the list's and the uninstall entry's, and the large views'.
            std::vector<assetgen::Image> sizes;
            for (int size : {16, 32, 48, 256}) sizes.push_back(assetgen::programIcon(size));
            writeFile(icoPath, assetgen::encodeIco(sizes));
        }
        if (!zoomName.empty()) writeFile(zoomPath, assetgen::encodePng(assetgen::zoomedTexture(zoomName, 3)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
