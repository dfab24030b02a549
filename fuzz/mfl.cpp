// Feeds arbitrary text to the MFL loader as a key-frame list over a few small models held in
// memory, then plays the animations: errors are quillaby::Error, never a crash.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "assets/LoadSettings.h"
#include "base/Error.h"
#include "geometry/GLVertexAnimation.h"
#include "geometry/LoadMFL.h"
#include "geometry/TGLPrimitive.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTextureList.h"

namespace {

class Models : public quillaby::ResourceSource {
  public:
    Models() {
        const std::string triangle = "#Object 1\nName A\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n";
        files_["A_3dm"] = triangle + "#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n";
        files_["B_3dm"] = triangle + "#Vertices 3\n[0,0,1]\n[1,0,1]\n[0,1,1]\n";
        files_["C_3dm"] = "#Object 1\nName C\n#Vertices 4\n[0,0,0]\n[1,0,0]\n[0,1,0]\n[1,1,1]\n"
                          "#VertexFaces 2\n[1,2,3]\n[2,4,3]\n#FaceMatID 2\n1\n2\n";
        files_["E_3dm"] = "";
    }
    std::optional<quillaby::ResourceData> Find(std::string_view name) const override {
        for (const auto& [key, text] : files_)
            if (quillaby::SameResourceName(key, name))
                return quillaby::ResourceData(std::vector<unsigned char>(text.begin(), text.end()));
        return std::nullopt;
    }

  private:
    std::map<std::string, std::string> files_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::shared_ptr<Models> models = std::make_shared<Models>();
    TLoadSettings settings;
    settings.LoadFromResources = true;
    settings.Resources = models;
    TGLTextureList textures;
    TGLMaterialList materials;
    TGLPrimitiveList primitives;
    TAnimationList animations;
    try {
        const auto lines = SplitLines(std::span(data, size));
        LoadMFLLines(lines, "fuzz.mfl", textures, materials, animations, primitives, settings);
    } catch (const quillaby::Error&) {
    }
    // Play whatever was built, across the keys and past the end.
    animations.Start(0);
    for (int step = 0; step <= 8; ++step) {
        animations.Update(step * 0.37L);
        for (int i = 0; i < primitives.Count(); ++i) {
            try {
                primitives.Items(i)->BuildNormals();
            } catch (const quillaby::Error&) {
            }
        }
    }
    animations.Clear();
    return 0;
}
