#include "AssetSet.h"

#include "Font.h"
#include "Models.h"
#include "Sound.h"
#include "Textures.h"
#include "base/Error.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace assetgen {

namespace {

Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The banknote picture is needed by its texture and by the logo; paint it once.
class BanknoteCache {
  public:
    const Image& get() {
        if (!painted_) {
            image_ = paintBanknote();
            painted_ = true;
        }
        return image_;
    }

  private:
    Image image_;
    bool painted_ = false;
};

constexpr int kCellWidth = 2 * kTextureSize + 24, kCellHeight = kTextureSize + 28;

void blit(Image& sheet, const Image& picture, int x0, int y0, int scaleDown) {
    for (int y = 0; y < picture.height() / scaleDown; ++y)
        for (int x = 0; x < picture.width() / scaleDown; ++x) {
            Rgb sum;
            for (int sy = 0; sy < scaleDown; ++sy)
                for (int sx = 0; sx < scaleDown; ++sx)
                    sum = sum + picture.at(x * scaleDown + sx, y * scaleDown + sy);
            if (x0 + x < sheet.width() && y0 + y < sheet.height())
                sheet.at(x0 + x, y0 + y) = sum * (1.0f / (scaleDown * scaleDown));
        }
}

} // namespace

std::vector<TextureAsset> textureAssets() {
    auto note = std::make_shared<BanknoteCache>();
    return {
        {"dollar.jpg", [note] { return note->get(); }, false},
        {"caust1.jpg", [] { return paintCaustics(1); }, true},
        {"caust2.jpg", [] { return paintCaustics(2); }, true},
        {"caust3.jpg", [] { return paintCaustics(3); }, true},
        {"caust5.jpg", [] { return paintCaustics(5); }, true},
        {"Pesok01.jpg", [] { return paintBottom(1); }, true},
        {"dno02.jpg", [] { return paintBottom(2); }, true},
        {"dno03.jpg", [] { return paintBottom(3); }, true},
        {"voda1.jpg", [] { return paintWater(1); }, true},
        {"voda2.jpg", [] { return paintWater(2); }, true},
        {"voda3.jpg", [] { return paintWater(3); }, true},
        {"puzir.jpg", paintBubble, false},
        {"puzirA.jpg", paintBubbleAlpha, false},
    };
}

std::vector<Asset> allAssets() {
    std::vector<Asset> assets;
    assets.push_back({"Dollaro00f.3dm", [] { return textBytes(writeModel(banknoteModel())); }});
    assets.push_back({"Puzir00f.3dm", [] { return textBytes(writeModel(bubbleModel())); }});
    assets.push_back({"dnoK00f.3dm", [] { return textBytes(writeModel(bottomModel())); }});
    for (int k = 0; k < kWaveFrames; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "DollarsWave%02df.3dm", k);
        assets.push_back({name, [k] { return textBytes(writeModel(waveModel(k))); }});
    }
    assets.push_back({"DollarsWave.mfl", [] { return textBytes(waveList()); }});
    std::vector<TextureAsset> textures = textureAssets();
    for (const TextureAsset& t : textures)
        assets.push_back({t.name, [paint = t.paint] { return encodeJpeg(paint()); }});
    assets.push_back(
        {"logo.bmp", [note = textures.front().paint] { return encodeBmp8(quantise(paintLogo(note()))); }});
    assets.push_back({"SBUBLES.wav", [] { return encodeAdpcmWave(synthesiseBubbles()); }});
    return assets;
}

std::vector<std::string> writeAssets(const std::string& directory) {
    std::filesystem::create_directories(directory);
    std::vector<std::string> names;
    for (const Asset& asset : allAssets()) {
        Bytes bytes = asset.make();
        std::filesystem::path path = std::filesystem::path(directory) / asset.name;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) throw quillaby::Error("Cannot write file " + path.string());
        names.push_back(asset.name);
    }
    return names;
}

Image contactSheet() {
    std::vector<TextureAsset> textures = textureAssets();
    const int columns = 3;
    const int count = static_cast<int>(textures.size()) + 1; // and the logo
    const int rows = (count + columns - 1) / columns;
    Image sheet(columns * kCellWidth + 8, rows * kCellHeight + 8, rgb255(40, 40, 48));
    const Rgb label = rgb255(240, 240, 240);
    for (int i = 0; i < count; ++i) {
        int x0 = 8 + (i % columns) * kCellWidth, y0 = 8 + (i / columns) * kCellHeight;
        if (i == count - 1) {
            Image logo = paintLogo(textures.front().paint());
            // Twice the size, so its pixels can be judged.
            Image big(logo.width() * 2, logo.height() * 2);
            for (int y = 0; y < big.height(); ++y)
                for (int x = 0; x < big.width(); ++x) big.at(x, y) = logo.at(x / 2, y / 2);
            drawPixelText(sheet, x0, y0, 2, "logo.bmp", label);
            blit(sheet, big, x0, y0 + 20, 1);
            continue;
        }
        Image picture = textures[i].paint();
        drawPixelText(sheet, x0, y0, 2, textures[i].name, label);
        blit(sheet, picture, x0, y0 + 20, 1);
        if (textures[i].name == "puzir.jpg") {
            // The bubble as the scene blends it: colour over water, weighted by its alpha picture.
            Image alpha = paintBubbleAlpha(), over(kTextureSize, kTextureSize);
            for (int y = 0; y < kTextureSize; ++y)
                for (int x = 0; x < kTextureSize; ++x) {
                    Rgb water =
                        mix(rgb255(20, 120, 140), rgb255(10, 70, 100), static_cast<float>(y) / kTextureSize);
                    over.at(x, y) = mix(water, picture.at(x, y), alpha.at(x, y).r);
                }
            blit(sheet, over, x0 + kTextureSize + 8, y0 + 20, 1);
        }
        if (textures[i].tiles) {
            Image repeat(kTextureSize * 2, kTextureSize * 2);
            for (int y = 0; y < repeat.height(); ++y)
                for (int x = 0; x < repeat.width(); ++x) repeat.at(x, y) = picture.wrapped(x, y);
            blit(sheet, repeat, x0 + kTextureSize + 8, y0 + 20, 2);
        }
    }
    return sheet;
}

Image zoomedTexture(const std::string& name, int factor) {
    for (const TextureAsset& t : textureAssets()) {
        if (t.name != name) continue;
        Image picture = t.paint();
        Image big(picture.width() * factor, picture.height() * factor);
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x) big.at(x, y) = picture.at(x / factor, y / factor);
        return big;
    }
    throw quillaby::Error("No texture named " + name);
}

} // namespace assetgen
