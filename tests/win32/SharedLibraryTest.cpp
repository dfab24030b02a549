// Run-time libraries on Windows: a bare name comes from the system folder only, so a library of the
// same name beside the program cannot stand in for OpenGL32.DLL or GLU32.DLL.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/ProgramLocation.h"
#include "platform/SharedLibrary.h"

using namespace quillaby::platform;

namespace {

TEST(SharedLibrary, ABareNameIgnoresAPlantedCopyBesideTheProgram) {
    const std::string planted = ProgramDirectoryOf("ignored.exe") + SystemGLULibraryName;
    { std::ofstream(planted, std::ios::binary) << "MZ not a library"; }

    const SharedLibrary glu(SystemGLULibraryName);
    EXPECT_TRUE(glu.Loaded()) << glu.Problem();
    EXPECT_NE(glu.Find("gluLookAt"), nullptr);

    // A path is taken as it is: the planted file is no library and says so.
    const SharedLibrary direct(planted);
    EXPECT_FALSE(direct.Loaded());
    EXPECT_NE(direct.Problem().find(planted), std::string::npos) << direct.Problem();
    std::remove(planted.c_str());
}

TEST(SharedLibrary, OpenGL32ExportsOnlyOpenGL11) {
    const SharedLibrary gl(SystemGLLibraryName);
    ASSERT_TRUE(gl.Loaded()) << gl.Problem();
    EXPECT_NE(gl.Find("glBindTexture"), nullptr);
    EXPECT_NE(gl.Find("wglGetProcAddress"), nullptr);
    // 1.2 and later come from wglGetProcAddress with a context current, never from the export table.
    EXPECT_EQ(gl.Find("glLockArraysEXT"), nullptr);
}

} // namespace
