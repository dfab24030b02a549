#include "assets/Resources.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/Error.h"

namespace quillaby {
std::span<const ResourceEntry> TestResourceTable();
}

using namespace quillaby;
namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> FileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> ToVector(const ResourceData& d) {
    return {d.Bytes().begin(), d.Bytes().end()};
}

const fs::path FixtureDir = fs::path(QUILLABY_SOURCE_DIR) / "tests/fixtures/resources";

} // namespace

TEST(ResourceName, DropsTheDirectoryAndReplacesTheFirstDot) {
    EXPECT_EQ(ResourceName("Voda1.jpg"), "Voda1_jpg");
    EXPECT_EQ(ResourceName("DollarsWave.mfl"), "DollarsWave_mfl");
    EXPECT_EQ(ResourceName("models/Dollaro00f.3dm"), "Dollaro00f_3dm");
    EXPECT_EQ(ResourceName("C:\\saver\\dir.v2\\a.b.c"), "a_b.c");
    EXPECT_EQ(ResourceName("SBUBLES"), "SBUBLES");
    EXPECT_EQ(ResourceName("dir.d/"), "");
}

TEST(ResourceName, ComparesWithoutRegardToCase) {
    EXPECT_TRUE(SameResourceName("VODA1_JPG", "Voda1_jpg"));
    EXPECT_FALSE(SameResourceName("VODA1_JPG", "Voda1_jp"));
    EXPECT_FALSE(SameResourceName("VODA1_JPG", "VODA2_JPG"));
}

TEST(EmbeddedResources, TheBuildStepKeepsEveryFileByteForByte) {
    const auto table = TestResourceTable();
    std::vector<std::string> names;
    for (const auto& e : table) names.emplace_back(e.Name);
    std::vector<std::string> onDisk;
    for (const auto& f : fs::directory_iterator(FixtureDir)) onDisk.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    std::sort(onDisk.begin(), onDisk.end());
    EXPECT_EQ(names, onDisk);

    for (const auto& e : table) {
        EXPECT_EQ(std::vector<unsigned char>(e.Data, e.Data + e.Size), FileBytes(FixtureDir / e.Name))
            << e.Name;
    }
}

TEST(EmbeddedResources, FindsByResourceNameInAnyCase) {
    const EmbeddedResources res(TestResourceTable());
    const auto expected = FileBytes(FixtureDir / "Tiny.bmp");
    for (const char* name : {"Tiny_bmp", "TINY_BMP", "tiny_BMP"}) {
        auto found = res.Find(name);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_EQ(ToVector(*found), expected);
    }
    EXPECT_TRUE(res.Find("FRAMES_LIST.MFL").has_value());
    EXPECT_FALSE(res.Find("Tiny.bmp").has_value()); // a file name is not a resource name
    EXPECT_FALSE(res.Find("Frames_list_mfl").has_value());
}

TEST(EmbeddedResources, GetRaisesTheResourceNameWhenMissing) {
    const EmbeddedResources res(TestResourceTable());
    EXPECT_EQ(res.Get("ALLBYTES_BIN").Size(), 256u);
    try {
        res.Get("Voda1_jpg");
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Resource Voda1_jpg not found");
    }
}

TEST(EmbeddedResources, AnEmptyTableFindsNothing) {
    const EmbeddedResources res({});
    EXPECT_FALSE(res.Find("").has_value());
    EXPECT_FALSE(res.Find("VODA1_JPG").has_value());
}

TEST(ReadWholeFile, ReadsBinaryFilesAndNamesTheFileItCannotOpen) {
    EXPECT_EQ(ReadWholeFile((FixtureDir / "AllBytes.bin").string()).size(), 256u);
    try {
        ReadWholeFile("/nonexistent/Voda1.jpg");
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/Voda1.jpg");
    }
    EXPECT_THROW(ReadWholeFile(FixtureDir.string()), Error); // a directory is not a file
}

TEST(ReadWholeFile, RefusesFilesLargerThanAnyAssetWithoutHoldingThem) {
    const fs::path huge =
        fs::temp_directory_path() / ("quillaby-huge-" + std::to_string(::getpid()) + ".jpg");
    { std::ofstream create(huge); }
    fs::resize_file(huge, (std::uintmax_t{64} << 20) + 1); // sparse: takes no disk space
    try {
        ReadWholeFile(huge.string());
        ADD_FAILURE() << "no exception";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "File " + huge.string() + " is too large (over 64 MB)");
    }
    fs::remove(huge);
    // A device has no size to check first: the cap holds while reading.
    EXPECT_THROW(ReadWholeFile("/dev/zero"), Error);
}

TEST(EmbedTool, RefusesTwoFilesWithTheSameResourceName) {
    const fs::path dir = fs::temp_directory_path() / ("quillaby-embed-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "a.jpg") << "1";
    std::ofstream(dir / "A.JPG") << "2";
    const std::string tool = std::string(QUILLABY_BINARY_DIR) + "/tools/embed/quillaby_embed";
    const fs::path out = dir / "out.cpp";
    const std::string cmd = tool + " " + out.string() + " Table " + dir.string() + " >/dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    const bool written = fs::exists(out);
    fs::remove_all(dir);
    EXPECT_NE(status, 0);
    EXPECT_FALSE(written);
}
