// Loading pictures and text by name: where they are read from (resources, files, an asset
// directory), which extensions are read, and what reaches the caller when something is wrong.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <jerror.h>
#include <unistd.h>

#include "assets/ImageFiles.h"
#include "assets/StringList.h"
#include "gl/GLUtils.h"

using quillaby::BitmapFormat;
using testimages::ErrorOf;
namespace fs = std::filesystem;

namespace {

const std::string TruncatedJpegError = "JPEG error #" + std::to_string(JWRN_JPEG_EOF);

void WriteFile(const fs::path& path, const testimages::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ImageLoading : public ::testing::Test {
  protected:
    ImageLoading() {
        res->Add("puzir.jpg",
                 testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 240, 240, 240), 100));
        res->Add("puzirA.jpg", testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 60, 60, 60), 100));
        res->Add("small.jpg", testimages::EncodeJpeg(8, 8, 3, testimages::Solid(8, 8, 1, 1, 1)));
        res->Add("odd.jpg", testimages::EncodeJpeg(12, 16, 3, testimages::Solid(12, 16, 1, 1, 1)));
        res->Add("puzir.jpeg", testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 1, 1, 1)));
        res->Add("Sand.jepg", testimages::EncodeJpeg(2, 2, 1, {9, 9, 9, 9}));
        testimages::BmpSpec logo;
        logo.bitCount = 8;
        logo.width = 4;
        logo.height = 2;
        logo.palette = {0, 0x336699};
        logo.rows = {{1, 1, 1, 1}, {0, 0, 0, 0}}; // bottom row first
        res->Add("Logo.bmp", testimages::MakeBmp(logo));
        settings.LoadFromResources = true;
        settings.Resources = res;
    }
    std::shared_ptr<testimages::MemoryResources> res = std::make_shared<testimages::MemoryResources>();
    TLoadSettings settings;
};

TEST_F(ImageLoading, TexturesByExtensionInAnyCaseWithADirectoryPart) {
    const auto jpg = LoadTexture("some/dir/PUZIR.JPG", settings);
    ASSERT_NE(jpg, nullptr);
    EXPECT_EQ(jpg->Width(), 16);
    EXPECT_NEAR(jpg->Row(0)[0], 240, 4);
    EXPECT_EQ(LoadBitmap("Sand.jepg", settings)->Format, BitmapFormat::Palette8); // the misspelling is JPEG

    const auto bmp = LoadTexture("logo.bmp", settings);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->Row(0)[0], 0x33); // the first stored row is the bottom
    EXPECT_EQ(bmp->Row(1)[3 * 3], 0);
}

TEST_F(ImageLoading, OtherExtensionsGiveNothingAndReadNothing) {
    for (const char* name : {"puzir.jpeg", "puzir.png", "puzir", "dir.jpg/puzir"}) {
        EXPECT_EQ(LoadTexture(name, settings), nullptr) << name;
        EXPECT_EQ(LoadBitmap(name, settings)->Format, BitmapFormat::Empty) << name;
    }
    EXPECT_TRUE(res->reads.empty());
}

TEST_F(ImageLoading, FailuresNameWhatWasLookedFor) {
    EXPECT_EQ(ErrorOf([&] { LoadTexture("textures/Dollar.jpg", settings); }),
              "Resource Dollar_jpg not found");
    EXPECT_EQ(ErrorOf([&] { LoadTexture("odd.jpg", settings); }),
              "TGLTexture.SetSize error: a size is not power 2");
    auto broken = testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 1, 2, 3));
    broken.resize(broken.size() / 2);
    res->Add("Broken.jpg", broken);
    // Decoding errors name the picture in front of the decoder's own message.
    EXPECT_EQ(ErrorOf([&] { LoadTexture("dir/Broken.jpg", settings); }),
              "dir/Broken.jpg: " + TruncatedJpegError);
    res->Add("Broken.bmp", {'B', 'M'});
    EXPECT_EQ(ErrorOf([&] { LoadTexture("Broken.bmp", settings); }),
              "Broken.bmp: Invalid bitmap: the file is too short");
    quillaby::Bitmap bitmap;
    EXPECT_EQ(ErrorOf([&] { LoadBitmapResource("Broken.bmp", bitmap, settings); }),
              "Broken.bmp: Invalid bitmap: the file is too short");
    EXPECT_EQ(ErrorOf([&] { LoadJPEGResource("Broken.jpg", bitmap, settings); }),
              "Broken.jpg: " + TruncatedJpegError);

    TLoadSettings fromFiles;
    fromFiles.ImageDirectory = "/nonexistent/";
    EXPECT_EQ(ErrorOf([&] { LoadTexture("Dollar.jpg", fromFiles); }),
              "Cannot open file /nonexistent/Dollar.jpg");
}

TEST_F(ImageLoading, AlphaComesFromTheSecondPictureOrFromItselfForTheSameName) {
    const auto t = LoadTextureWithAlpha("puzir.jpg", "puzirA.jpg", settings);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Format(), TGLTexture::FormatRGBA);
    EXPECT_NEAR(t->Row(5)[4 * 5], 240, 4);
    EXPECT_NEAR(t->Row(5)[4 * 5 + 3], 60, 4);

    res->reads.clear();
    const auto own = LoadTextureWithAlpha("puzir.jpg", "PUZIR.JPG", settings);
    ASSERT_NE(own, nullptr);
    EXPECT_NEAR(own->Row(5)[4 * 5 + 3], 240, 4);
    EXPECT_EQ(res->reads["puzir_jpg"], 1); // read once

    EXPECT_EQ(LoadTextureWithAlpha("puzir.jpg", "small.jpg", settings), nullptr);
    EXPECT_EQ(LoadTextureWithAlpha("puzir.jpg", "puzir.png", settings), nullptr);
}

TEST_F(ImageLoading, ResourceVariantsReadResourcesEvenWhenFilesAreSelected) {
    settings.LoadFromResources = false;
    quillaby::Bitmap bmp;
    LoadJPEGResource("puzir.jpg", bmp, settings);
    EXPECT_EQ(bmp.Format, BitmapFormat::Bgr24);
    LoadBitmapResource("dir/LOGO.bmp", bmp, settings);
    EXPECT_EQ(bmp.Width, 4);
}

TEST(FileLoading, FilesComeFromTheImageDirectoryPlusTheNameOrFromAnAssetDirectory) {
    const fs::path dir = fs::temp_directory_path() / ("quillaby-img-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sub" / "Caust5.dir");
    WriteFile(dir / "sub" / "Caust5.jpg",
              testimages::EncodeJpeg(8, 2, 3, testimages::Solid(8, 2, 200, 0, 0)));
    WriteFile(dir / "sub" / "DollarsWave.mfl", {'1', '\r', '\n', '0', ' ', 'a', '\r', '\n'});
    auto truncated = testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 1, 2, 3));
    truncated.resize(truncated.size() / 2);
    WriteFile(dir / "sub" / "Voda1.jpg", truncated);

    TLoadSettings fromFiles;
    fromFiles.ImageDirectory = (dir / "").string(); // the name is appended unchanged
    const auto direct = LoadBitmap("sub/Caust5.jpg", fromFiles);

    TLoadSettings fromAssets;
    fromAssets.LoadFromResources = true;
    fromAssets.ImageDirectory = "/nonexistent/"; // not consulted while resources are selected
    UseAssetDirectory(fromAssets, (dir / "sub").string());
    const auto asset = LoadBitmap("textures/CAUST5.JPG", fromAssets);
    std::vector<std::string> lines;
    LoadStringsResource("DollarsWave.mfl", lines, fromAssets);
    const std::string missing = ErrorOf([&] { LoadBitmap("dollar.jpg", fromAssets); });
    const std::string brokenAsset = ErrorOf([&] { LoadBitmap("voda1.jpg", fromAssets); });
    const std::string brokenFile = ErrorOf([&] { LoadBitmap("sub/Voda1.jpg", fromFiles); });
    const std::string directory = ErrorOf([&] { LoadStringsResource("Caust5.dir", lines, fromAssets); });
    fs::remove_all(dir);

    EXPECT_EQ(direct->Width, 8);
    EXPECT_NEAR(direct->Row(1)[2], 200, 6);
    EXPECT_EQ(asset->Height, 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "0 a"}));
    EXPECT_EQ(missing, "Resource dollar_jpg not found");
    EXPECT_EQ(brokenAsset, "voda1.jpg: " + TruncatedJpegError);
    EXPECT_EQ(brokenFile, fromFiles.ImageDirectory + "sub/Voda1.jpg: " + TruncatedJpegError);
    EXPECT_EQ(directory, "Resource Caust5_dir not found"); // directories are not resources
}

} // namespace
