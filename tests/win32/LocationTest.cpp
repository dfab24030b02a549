// Where the program lives and logs on Windows, and the log file's sharing.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include "platform/BlockLogFile.h"
#include "platform/ProgramLocation.h"

using namespace quillaby::platform;

namespace {

TEST(ProgramLocation, FoldersEndInABackslashAndNamesFollowTheLastSeparator) {
    EXPECT_EQ(FileNameOf("C:\\Saver\\my.saver.scr"), "my.saver.scr");
    EXPECT_EQ(FileNameOf("C:my.scr"), "my.scr");
    EXPECT_EQ(FileNameOf("Z:/tmp/q.scr"), "q.scr");
    EXPECT_EQ(ExecutableFileName("my"), "my.exe") << "the twin that \"Run As EXE\" starts";
    const std::string folder = ProgramDirectoryOf("ignored.exe");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DirectoryWritable(UserStateDirectory()));
}

TEST(BlockLog, ZeroFilledBlocksSharedForReadingOnly) {
    const std::string folder =
        UserStateDirectory() + "\\Quillaby test " + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(MakeDirectories(folder + "\\deeper"));
    const std::string path = folder + "\\deeper\\q.log";
    {
        BlockLogFile log(path);
        log.Append("Full Screen mode: 800X600X16  FPS:42\r\n");
        HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "readers are welcome";
        CloseHandle(reader);
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << "a second writer is not";
        if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, BlockLogFile::BlockSize);
    DeleteFileA(path.c_str());
    RemoveDirectoryA((folder + "\\deeper").c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
