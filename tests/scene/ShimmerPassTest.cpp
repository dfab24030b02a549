// Which notes may take their shimmer in their first pass: only where the white material's lighting
// stays below 1 on every face the camera sees, with the specular highlight counted and culled faces
// left out.
#include "scene/ShimmerPass.h"

#include <gtest/gtest.h>

#include <array>

#include "geometry/TGLPrimitive.h"

namespace {

using quillaby::scene::ShimmerPassesFor;
using quillaby::scene::TShimmerPasses;

TEST(ShimmerPass, OnePassOnlyWhereNoVisibleFaceSaturates) {
    // One triangle facing +z (counter-clockwise seen from there), 1000 units in front of the camera.
    TGLPrimitive mesh;
    mesh.Vertices.SetCount(3);
    mesh.Normals.SetCount(3);
    const std::array<TGLVector, 3> corners{{{0, 0, 0}, {100, 0, 0}, {0, 100, 0}}};
    for (int i = 0; i < 3; ++i) {
        mesh.Vertices.SetVector(i, corners[i].X, corners[i].Y, corners[i].Z);
        mesh.Normals.SetVector(i, 0, 0, 1);
    }
    mesh.Indices.SetFromArray(std::array<int32_t, 3>{0, 1, 2});
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const TGLVector position{0, 0, -1000};

    struct Case {
        const char* what;
        float turnY; // degrees
        TGLVector toLight;
        float specular;
        TShimmerPasses expected;
    };
    const Case cases[] = {
        {"lit at 45 degrees: 0.6 + 0.4 * 0.71 stays below 1", 0, {1, 0, 1}, 1, TShimmerPasses::One},
        {"lit head-on: 0.6 + 0.4 reaches 1", 0, {0, 0, 1}, 0, TShimmerPasses::Two},
        {"the highlight of a head-on light saturates", 0, {0, 0, 1}, 1, TShimmerPasses::Two},
        {"lit from behind: ambient only", 0, {0, 0, -1}, 1, TShimmerPasses::One},
        {"turned away and culled, however it is lit", 180, {0, 0, -1}, 1, TShimmerPasses::One},
    };
    for (const Case& c : cases) {
        const quillaby::scene::TWhiteLighting lighting{
            {0.6f, 0.6f, 0.6f}, {0.4f, 0.4f, 0.4f}, {c.specular, c.specular, c.specular}, 100};
        EXPECT_EQ(ShimmerPassesFor(identity, c.toLight, lighting, position, {0, c.turnY, 0}, mesh),
                  c.expected)
            << c.what;
    }
}

} // namespace
