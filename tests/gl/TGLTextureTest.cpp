#include "gl/TGLTexture.h"

#include <gtest/gtest.h>

#include "assets/ImageFiles.h"
#include "base/Error.h"
#include "gl/GLCalls.h"
#include "gl/TGLTextureList.h"
#include "support/GLTest.h"

using Lines = std::vector<std::string>;
using testimages::ErrorOf;

namespace {

// Counts its destructions, to see when the last reference goes.
class CountedTexture : public TGLTexture {
  public:
    explicit CountedTexture(int& destroyed) : FDestroyed(destroyed) {}
    ~CountedTexture() override { ++FDestroyed; }

  private:
    int& FDestroyed;
};

} // namespace

TEST(TGLTexture, SetSizeLaysOutPackedRows) {
    TGLTexture t;
    EXPECT_EQ(t.Changes(), TGLTexture::ParameterBits);
    t.SetSize(TGLTexture::FormatRGB, 256, 256);
    EXPECT_EQ(t.RowSize(), 768);
    EXPECT_EQ(t.BytesPerPixel(), 3);
    EXPECT_EQ(t.Target(), static_cast<GLenum>(GL_TEXTURE_2D));
    EXPECT_EQ(t.InternalFormat(), 0x8051u);
    EXPECT_EQ(t.PixelFormat(), static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(t.Row(255) - t.Data(), 255 * 768);
    EXPECT_EQ(t.Changes(), TGLTexture::AllBits);

    t.SetSize(TGLTexture::FormatRGBA, 256, 1);
    EXPECT_EQ(t.RowSize(), 1024);
    EXPECT_EQ(t.Target(), static_cast<GLenum>(GL_TEXTURE_1D));
    EXPECT_EQ(t.InternalFormat(), 0x8058u);
    EXPECT_EQ(t.PixelFormat(), static_cast<GLenum>(GL_RGBA));
}

TEST(TGLTexture, SizesThatAreNotPowersOfTwoAreRefusedAndChangeNothing) {
    TGLTexture t;
    t.SetSize(TGLTexture::FormatRGB, 4, 2);
    t.Row(1)[0] = 77;
    for (auto [w, h] : {std::pair{100, 64}, {0, 64}, {64, 0}, {-4, 4}, {64, 3}, {INT32_MIN, 1}}) {
        EXPECT_EQ(ErrorOf([&] { t.SetSize(TGLTexture::FormatRGB, w, h); }),
                  "TGLTexture.SetSize error: a size is not power 2")
            << w << " x " << h;
    }
    EXPECT_EQ(t.Width(), 4);
    EXPECT_EQ(t.Height(), 2);
    ASSERT_NE(t.Data(), nullptr);
    EXPECT_EQ(t.Row(1)[0], 77);
    t.SetSize(TGLTexture::FormatRGB, 1, 1 << 4); // the smallest and larger powers pass
    EXPECT_EQ(t.RowSize(), 3);
}

TEST(TGLTexture, FirstBindCreatesUploadsAndEnablesTexturing) {
    gltest::RecordingGL gl;
    TGLTexture t;
    t.SetSize(TGLTexture::FormatRGB, 4, 2);
    t.Bind();
    const std::string pixels = gltest::ptr(t.Data());
    EXPECT_EQ(gl.calls(), (Lines{
                              "glGenTextures(1, {1})",
                              "glBindTexture(GL_TEXTURE_2D, 1)",
                              "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_PRIORITY, 1)",
                              "glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 4, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, " +
                                  pixels + ")",
                              "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR)",
                              "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)",
                              "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
                              "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)",
                              "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
                              "glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, {1, 1, 1, 1})",
                              "glEnable(GL_TEXTURE_2D)",
                              "glBindTexture(GL_TEXTURE_2D, 0)",
                              "glBindTexture(GL_TEXTURE_2D, 1)",
                          }));
    EXPECT_TRUE(t.Created());
    EXPECT_EQ(t.Handle(), 1u);
    EXPECT_EQ(t.Changes(), 0u);

    gl.clear();
    t.Bind(); // nothing changed: only the bind
    EXPECT_EQ(gl.calls(), (Lines{"glBindTexture(GL_TEXTURE_2D, 1)"}));
}

TEST(TGLTexture, ImageChangedUploadsAgainAndParametersGoOnlyWhenChanged) {
    gltest::RecordingGL gl;
    TGLTexture t;
    t.SetSize(TGLTexture::FormatRGBA, 8, 1);
    t.Bind();
    gl.clear();

    t.ImageChanged();
    t.Bind();
    EXPECT_EQ(
        gl.calls(),
        (Lines{"glBindTexture(GL_TEXTURE_1D, 1)", "glTexParameterf(GL_TEXTURE_1D, GL_TEXTURE_PRIORITY, 1)",
               "glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, " +
                   gltest::ptr(t.Data()) + ")",
               "glBindTexture(GL_TEXTURE_1D, 1)"}));

    gl.clear();
    t.SetFilter(0);
    t.SetRepeat(false);
    t.SetEnvMode(3);
    t.SetEnvColor(TGLColor{0.5f, 0.25f, 0, 1});
    t.Update();
    EXPECT_EQ(gl.calls(), (Lines{
                              "glBindTexture(GL_TEXTURE_1D, 1)",
                              "glTexParameterf(GL_TEXTURE_1D, GL_TEXTURE_PRIORITY, 1)",
                              "glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST)",
                              "glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST)",
                              "glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP)",
                              "glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_T, GL_CLAMP)",
                              "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE)",
                              "glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, {0.5, 0.25, 0, 1})",
                          }));

    gl.clear();
    t.SetFilter(5);
    t.Update();
    EXPECT_EQ(gl.count("glTexParameteri"), 2);
    EXPECT_EQ(gl.count("glTexEnvi") + gl.count("glTexEnvfv") + gl.count("glTexImage1D"), 0);
    EXPECT_EQ(t.MinFilter(), static_cast<GLenum>(GL_LINEAR_MIPMAP_LINEAR));

    gl.clear();
    t.Update(); // nothing pending: no call at all
    EXPECT_TRUE(gl.calls().empty());
}

TEST(TGLTexture, ShortRgbRowsAreUploadedWithByteAlignment) {
    gltest::RecordingGL gl;
    TGLTexture t;
    t.SetSize(TGLTexture::FormatRGB, 2, 2); // 6-byte rows
    t.Bind();
    const Lines& calls = gl.calls();
    const auto image = std::find_if(calls.begin(), calls.end(),
                                    [](const std::string& l) { return l.rfind("glTexImage2D", 0) == 0; });
    ASSERT_NE(image, calls.end());
    ASSERT_NE(image, calls.begin());
    ASSERT_NE(image + 1, calls.end());
    EXPECT_EQ(*(image - 1), "glPixelStorei(GL_UNPACK_ALIGNMENT, 1)");
    EXPECT_EQ(*(image + 1), "glPixelStorei(GL_UNPACK_ALIGNMENT, 4)");
}

TEST(TGLTexture, DeleteHandleKeepsThePixelsForTheNextBind) {
    gltest::RecordingGL gl;
    TGLTexture t;
    t.SetSize(TGLTexture::FormatRGB, 4, 4);
    t.Bind();
    const unsigned char* pixels = t.Data();
    gl.clear();
    t.DeleteHandle();
    EXPECT_EQ(gl.calls(), (Lines{"glDeleteTextures(1, {1})"}));
    EXPECT_FALSE(t.Created());
    EXPECT_EQ(t.Data(), pixels);

    gl.clear();
    t.DeleteHandle(); // nothing left to delete
    EXPECT_TRUE(gl.calls().empty());
    t.Bind();
    EXPECT_EQ(gl.calls().front(), "glGenTextures(1, {2})");
    EXPECT_EQ(gl.count("glTexImage2D"), 1);
    EXPECT_EQ(t.Handle(), 2u);
}

TEST(TGLTexture, DestroyingDeletesTheObjectOnlyIfCreated) {
    gltest::RecordingGL gl;
    {
        TGLTexture unused;
        unused.SetSize(TGLTexture::FormatRGB, 4, 4);
    }
    EXPECT_TRUE(gl.calls().empty());
    {
        TGLTexture used;
        used.Bind();
        gl.clear();
    }
    EXPECT_EQ(gl.calls(), (Lines{"glDeleteTextures(1, {1})"}));
}

TEST(TGLTexture, OutOfRangeIndicesAreRefused) {
    TGLTexture t;
    EXPECT_EQ(ErrorOf([&] { t.SetFilter(6); }), "TGLTexture.SetFilter error: filter index 6 is out of range");
    EXPECT_EQ(ErrorOf([&] { t.SetEnvMode(-1); }),
              "TGLTexture.SetEnvMode error: mode index -1 is out of range");
    EXPECT_EQ(t.Filter(), 1);
    EXPECT_EQ(t.EnvMode(), 0);
}

TEST(TGLTextureList, TakesOverOwnedTexturesAndRefusesEmptyOnes) {
    int destroyed = 0;
    TGLTextureList list;
    EXPECT_EQ(ErrorOf([&] { list.Add(static_cast<TGLTexture*>(nullptr)); }),
              "TGLTextureList error: Add NIL Texture!");
    EXPECT_EQ(ErrorOf([&] { list.Add(std::unique_ptr<TGLTexture>()); }),
              "TGLTextureList error: Add NIL Texture!");
    EXPECT_EQ(list.Count(), 0);
    list.Add(std::make_unique<CountedTexture>(destroyed));
    EXPECT_EQ(list.Items(0)->RefCount, 1);
    EXPECT_EQ(ErrorOf([&] { list.Items(1); }), "List index out of bounds (1)");
    list.Clear(); // the list's reference was the only one
    EXPECT_EQ(destroyed, 1);
}
