#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>
#include <unistd.h>

#include "ImageFiles.h"
#include "base/Error.h"
#include "gl/GLUtils.h"

namespace quillaby {
std::span<const ResourceEntry> TestResourceTable();
}

using quillaby::BitmapFormat;
namespace fs = std::filesystem;

namespace {

// Resources held in memory, counting the look-ups so a test can tell whether anything was read.
class MemoryResources : public quillaby::ResourceSource {
  public:
    void Add(const std::string& fileName, testimages::Bytes bytes) { items_[fileName] = std::move(bytes); }
    std::optional<quillaby::ResourceData> Find(std::string_view resourceName) const override {
        ++lookups;
        for (const auto& [name, bytes] : items_)
            if (quillaby::SameResourceName(quillaby::ResourceName(name), resourceName))
                return quillaby::ResourceData(std::span(bytes));
        return std::nullopt;
    }
    mutable int lookups = 0;

  private:
    std::map<std::string, testimages::Bytes> items_;
};

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "no error";
}

class ImageLoading : public ::testing::Test {
  protected:
    ImageLoading() {
        resources = std::make_shared<MemoryResources>();
        resources->Add("Voda1.jpg", testimages::EncodeJpeg(4, 4, 3, testimages::Solid(4, 4, 0, 0, 250)));
        testimages::BmpSpec bmp;
        bmp.rows = {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
        resources->Add("Logo.bmp", testimages::MakeBmp(bmp));
        resources->Add("Odd.jpeg", testimages::EncodeJpeg(4, 4, 3, testimages::Solid(4, 4, 0, 0, 250)));
        fromResources.LoadFromResources = true;
        fromResources.Resources = resources;
    }
    std::shared_ptr<MemoryResources> resources;
    TLoadSettings fromResources;
};

} // namespace

TEST_F(ImageLoading, BitmapKindFollowsTheExtensionInAnyCase) {
    auto jpg = LoadBitmap("Voda1.jpg", fromResources);
    EXPECT_EQ(jpg->Format, BitmapFormat::Bgr24);
    EXPECT_EQ(jpg->Width, 4);
    EXPECT_NEAR(jpg->Row(0)[0], 250, 6); // blue first
    EXPECT_EQ(LoadBitmap("VODA1.JPG", fromResources)->Format, BitmapFormat::Bgr24);
    EXPECT_EQ(LoadBitmap("some/dir/voda1.Jpg", fromResources)->Width, 4);
    EXPECT_EQ(LoadBitmap("Logo.bmp", fromResources)->Format, BitmapFormat::Bgr24);
}

TEST_F(ImageLoading, UnknownExtensionsGiveAnEmptyBitmapWithoutReading) {
    for (const char* name : {"Odd.jpeg", "Voda1.png", "Voda1", "dir.jpg/Voda1"}) {
        resources->lookups = 0;
        const auto bmp = LoadBitmap(name, fromResources);
        EXPECT_EQ(bmp->Format, BitmapFormat::Empty) << name;
        EXPECT_EQ(resources->lookups, 0) << name;
    }
}

TEST_F(ImageLoading, MisspelledJpegExtensionIsReadAsJpeg) {
    resources->Add("Sand.jepg", testimages::EncodeJpeg(2, 2, 1, {9, 9, 9, 9}));
    EXPECT_EQ(LoadBitmap("Sand.jepg", fromResources)->Format, BitmapFormat::Palette8);
}

TEST_F(ImageLoading, MissingResourceAndMissingFileNameWhatWasLookedFor) {
    EXPECT_EQ(ErrorOf([&] { LoadBitmap("textures/Dollar.jpg", fromResources); }),
              "Resource Dollar_jpg not found");

    TLoadSettings fromFiles;
    fromFiles.ImageDirectory = "/nonexistent/";
    EXPECT_EQ(ErrorOf([&] { LoadBitmap("Dollar.jpg", fromFiles); }),
              "Cannot open file /nonexistent/Dollar.jpg");
}

TEST_F(ImageLoading, FilesAreReadFromTheImageDirectoryPlusTheName) {
    const fs::path dir = fs::temp_directory_path() / ("quillaby-img-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sub");
    {
        const auto jpeg = testimages::EncodeJpeg(8, 2, 3, testimages::Solid(8, 2, 200, 0, 0));
        std::ofstream(dir / "sub" / "Caust5.jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
    }
    TLoadSettings fromFiles;
    fromFiles.ImageDirectory = (dir / "").string(); // the name is appended unchanged
    const auto bmp = LoadBitmap("sub/Caust5.jpg", fromFiles);
    fs::remove_all(dir);
    EXPECT_EQ(bmp->Width, 8);
    EXPECT_EQ(bmp->Height, 2);
    EXPECT_NEAR(bmp->Row(1)[2], 200, 6);
}

TEST_F(ImageLoading, DecodingErrorsReachTheCaller) {
    auto broken = testimages::EncodeJpeg(16, 16, 3, testimages::Solid(16, 16, 1, 2, 3));
    broken.resize(broken.size() / 2);
    resources->Add("Broken.jpg", broken);
    EXPECT_EQ(ErrorOf([&] { LoadBitmap("Broken.jpg", fromResources); }).rfind("JPEG error #", 0), 0u);
    resources->Add("Broken.bmp", {'B', 'M'});
    EXPECT_EQ(ErrorOf([&] { LoadBitmap("Broken.bmp", fromResources); }),
              "Invalid bitmap: the file is too short");
}

TEST_F(ImageLoading, ResourceVariantsReadResourcesEvenWhenFilesAreSelected) {
    TLoadSettings settings = fromResources;
    settings.LoadFromResources = false;
    quillaby::Bitmap bmp;
    LoadJPEGResource("Voda1.jpg", bmp, settings);
    EXPECT_EQ(bmp.Format, BitmapFormat::Bgr24);
    LoadBitmapResource("dir/LOGO.bmp", bmp, settings);
    EXPECT_EQ(bmp.Width, 2);
}

TEST(TextResources, LinesSplitAtEveryKindOfLineBreak) {
    TLoadSettings settings;
    settings.Resources = std::make_shared<quillaby::EmbeddedResources>(quillaby::TestResourceTable());
    std::vector<std::string> lines{"stale"};
    LoadStringsResource("Frames.list.mfl", lines, settings);
    EXPECT_EQ(lines, (std::vector<std::string>{"1 loop", "0.0 first.3dm", "", "0.5 second.3dm"}));

    LoadStringsFile(std::string(QUILLABY_SOURCE_DIR) + "/tests/fixtures/resources/Frames.list.mfl", lines);
    EXPECT_EQ(lines.size(), 4u);
}

TEST(TextResources, SplitLinesEdgeCases) {
    auto split = [](const std::string& s) {
        return SplitLines(std::span(reinterpret_cast<const unsigned char*>(s.data()), s.size()));
    };
    EXPECT_TRUE(split("").empty());
    EXPECT_EQ(split("a"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split("a\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split("\n\n"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(split("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(LoadSettings, TheProgramSettingsStartWithFilesAndItsOwnResources) {
    const TLoadSettings& s = LoadSettings();
    EXPECT_FALSE(s.LoadFromResources);
    EXPECT_TRUE(s.ImageDirectory.empty());
    EXPECT_EQ(&s.Source(), &quillaby::ProgramResources());
}

TEST(LoadSettings, AnAssetDirectoryServesTheResourcesByTheirNames) {
    const fs::path dir = fs::temp_directory_path() / ("quillaby-assets-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    {
        const auto jpeg = testimages::EncodeJpeg(4, 2, 1, testimages::Bytes(8, 128));
        std::ofstream(dir / "Voda1.jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
        std::ofstream(dir / "DollarsWave.mfl", std::ios::binary) << "1\r\n0 a.3dm\r\n";
    }
    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.ImageDirectory = "/nonexistent/"; // not consulted while resources are selected
    UseAssetDirectory(settings, dir.string());
    const auto bmp = LoadBitmap("textures/VODA1.JPG", settings);
    std::vector<std::string> lines;
    LoadStringsResource("DollarsWave.mfl", lines, settings);
    const std::string missing = ErrorOf([&] { LoadBitmap("dollar.jpg", settings); });
    fs::remove_all(dir);

    EXPECT_EQ(bmp->Format, BitmapFormat::Palette8);
    EXPECT_EQ(bmp->Width, 4);
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "0 a.3dm"}));
    EXPECT_EQ(missing, "Resource dollar_jpg not found");
}
