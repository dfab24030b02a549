// The complete OpenGL call log of the first frame after the reset, one per theme, at a fixed seed
// and small counts, compared line by line with a reviewed log in tests/golden/gl/. Data pointers
// print as the scene array they point into, texture numbers are listed in a legend at the top, so a
// change to the drawing shows as a readable diff. Rewrite the logs after an intended change with
//     QUILLABY_UPDATE_GOLDEN=1 build/release/tests/test_scene --gtest_filter='RecordedFrame*'
// and read the diff before committing it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "assets/LoadSettings.h"
#include "geometry/TGLPrimitive.h"
#include "gl/RecordingGL.h"
#include "gl/TGLTexture.h"
#include "scene/FrameLoop.h"
#include "scene/SceneRandom.h"
#include "scene/UnderwaterScene.h"
#include "support/FakeGLSurface.h"

using quillaby::gl::GLRecorder;
using quillaby::gl::pointerText;

namespace {

class StillClock : public quillaby::platform::Clock {
  public:
    uint32_t Milliseconds() override { return 5000; }
    bool QueryMinPeriod(uint32_t& minPeriod) override {
        minPeriod = 1;
        return true;
    }
    bool BeginPeriod(uint32_t) override { return true; }
    void EndPeriod(uint32_t) override {}
};

// Names for the data pointers and texture numbers a frame of `scene` may print.
class SceneNames {
  public:
    explicit SceneNames(TUnderwaterScene& s) {
        const std::pair<const char*, TGLPrimitive*> meshes[] = {
            {"SurfaceMesh", s.SurfaceMesh},
            {"BottomMesh", s.BottomMesh},
            {"SurfaceCausticsMesh", s.SurfaceCausticsMesh},
            {"BottomCausticsMesh", s.BottomCausticsMesh},
            {"SurfaceFadeMesh", s.SurfaceFadeMesh},
            {"BottomFadeMesh", s.BottomFadeMesh},
            {"BackWall", s.BackWall},
            {"NoteMesh", s.NoteMesh},
            {"NoteReflectionMesh", s.NoteReflectionMesh},
            {"WaveMesh", s.WavePrimitives->Items(0)},
            {"BubbleMesh", s.BubbleMesh},
        };
        for (const auto& [name, mesh] : meshes) {
            const std::string n = name;
            Add(mesh->Vertices.Data(), n + ".Vertices");
            Add(mesh->Normals.Data(), n + ".Normals");
            Add(mesh->Colors.Data(), n + ".Colors");
            Add(mesh->TexCoords.Data(), n + ".TexCoords");
            Add(mesh->Indices.Data(), n + ".Indices");
        }
        AddTexture(s.NoteTexture, "NoteTexture");
        AddTexture(s.ReflectionTexture, "ReflectionTexture");
        AddTexture(s.BubbleTexture, "BubbleTexture");
        for (int t = 0; t < 3; ++t) {
            const std::string theme = "Themes[" + std::to_string(t) + "].";
            AddTexture(s.Themes[t].SurfaceTexture, theme + "SurfaceTexture");
            AddTexture(s.Themes[t].BottomTexture, theme + "BottomTexture");
            AddTexture(s.Themes[t].CausticsTexture, theme + "CausticsTexture");
        }
    }

    // The log with every known pointer replaced by its name (unknown ones numbered in order of
    // appearance), after a legend of the texture numbers.
    std::string Symbolic(const std::vector<std::string>& lines) {
        std::string out;
        for (const auto& [handle, names] : FTextures)
            if (handle != 0) out += "# texture " + std::to_string(handle) + ": " + names + "\n";
        static const std::regex address("0x[0-9a-f]+");
        std::map<std::string, std::string> unknown;
        for (const std::string& line : lines) {
            std::string symbolic;
            auto from = line.cbegin();
            for (std::sregex_iterator it(line.begin(), line.end(), address), end; it != end; ++it) {
                symbolic.append(from, line.cbegin() + it->position());
                const std::string text = it->str();
                const auto known = FPointers.find(text);
                if (known != FPointers.end())
                    symbolic += known->second;
                else
                    symbolic +=
                        unknown.emplace(text, "pointer" + std::to_string(unknown.size() + 1)).first->second;
                from = line.cbegin() + it->position() + it->length();
            }
            symbolic.append(from, line.cend());
            out += symbolic + "\n";
        }
        return out;
    }

  private:
    void Add(const void* p, const std::string& name) {
        if (p) FPointers.emplace(pointerText(p), name); // a shared array keeps its first name
    }
    void AddTexture(TGLTexture* texture, const std::string& name) {
        Add(texture->Data(), name + ".pixels");
        std::string& names = FTextures[texture->Handle()];
        names += (names.empty() ? "" : ", ") + name;
    }

    std::map<std::string, std::string> FPointers;
    std::map<GLuint, std::string> FTextures;
};

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return file ? text.str() : std::string();
}

testing::AssertionResult MatchesLog(const std::string& referencePath, const std::string& actual) {
    if (std::getenv("QUILLABY_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(referencePath, std::ios::binary) << actual;
        return testing::AssertionSuccess();
    }
    const std::string reference = ReadText(referencePath);
    if (reference == actual) return testing::AssertionSuccess();
    const std::string actualPath = std::string(QUILLABY_BINARY_DIR) + "/golden-actual-" +
                                   referencePath.substr(referencePath.find_last_of('/') + 1);
    std::ofstream(actualPath, std::ios::binary) << actual;
    std::istringstream want(reference), got(actual);
    std::string w, g;
    int line = 1;
    while (std::getline(want, w) && std::getline(got, g) && w == g) ++line;
    return testing::AssertionFailure()
           << "the frame's calls differ from line " << line << ":\n  reviewed: " << w << "\n  now:      " << g
           << "\nsee: diff -u " << referencePath << " " << actualPath;
}

class RecordedFrame : public ::testing::TestWithParam<int> {};

TEST_P(RecordedFrame, FirstFrameAfterTheResetSendsTheReviewedCalls) {
    GLRecorder setup; // the set-up's calls are not part of the log
    LoadSettings().LoadFromResources = true;
    quillaby::scene::SeedRandom(17);
    StillClock clock;
    TSceneOptions options;
    options.ThemeIndex = GetParam();
    options.DollarCount = 3; // enough to show the loop over the notes, few enough to read
    options.BubbleCount = 2;
    quillaby::scene::FixedSurfaceSize size{320, 240};
    TUnderwaterScene scene(options, size, clock);
    scene.SetSceneDefaults();
    scene.CreateScene();
    TFrameLoop loop(scene);
    gltest::FakeGLSurface surface;
    surface.chosen.ColorBits = 32;
    surface.chosen.DepthBits = 24;
    loop.SetupOpenGL(surface);
    {
        GLRecorder frame;
        loop.ResetScene();
        loop.RenderFrame();
        const std::string log = SceneNames(scene).Symbolic(frame.calls());
        const std::string reference =
            std::string(QUILLABY_SOURCE_DIR) + "/tests/golden/gl/theme" + std::to_string(GetParam()) + ".log";
        EXPECT_TRUE(MatchesLog(reference, log));
        scene.DestroyScene(); // the context goes with the engine while the surface still exists
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, RecordedFrame, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return "Theme" + std::to_string(info.param); });

} // namespace
