#include "scene/ShimmerPass.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/TGLTexture.h"
#include "math/PortableMath.h"
#include "scene/CombinedLayers.h"

namespace quillaby::scene {

namespace {

// Values this close to a limit are left to the two passes: the driver's rounding may land on
// either side of them.
constexpr float Margin = 2e-3f;

struct Matrix3 {
    float M[3][3]; // M[row][column], for column vectors
};

Matrix3 Multiply(const Matrix3& A, const Matrix3& B) {
    Matrix3 R{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k) R.M[r][c] += A.M[r][k] * B.M[k][c];
    return R;
}

// glRotatef's matrix about one axis (0 X, 1 Y, 2 Z); Degrees counter-clockwise.
Matrix3 AxisRotation(int Axis, float Degrees) {
    const double a = Degrees * M_PI / 180;
    double sine = 0, cosine = 0;
    quillaby::portable::SinCos(a, sine, cosine);
    const auto c = static_cast<float>(cosine), s = static_cast<float>(sine);
    switch (Axis) {
    case 0:
        return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    case 1:
        return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    default:
        return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
    }
}

TGLVector Apply(const Matrix3& A, const TGLVector& V) {
    return {A.M[0][0] * V.X + A.M[0][1] * V.Y + A.M[0][2] * V.Z,
            A.M[1][0] * V.X + A.M[1][1] * V.Y + A.M[1][2] * V.Z,
            A.M[2][0] * V.X + A.M[2][1] * V.Y + A.M[2][2] * V.Z};
}

float Length(const TGLVector& V) {
    return std::sqrt(V.X * V.X + V.Y * V.Y + V.Z * V.Z);
}

TGLVector Unit(const TGLVector& V) {
    const float l = Length(V);
    return l > 0 ? TGLVector{V.X / l, V.Y / l, V.Z / l} : TGLVector{0, 0, 0};
}

float Dot(const TGLVector& A, const TGLVector& B) {
    return A.X * B.X + A.Y * B.Y + A.Z * B.Z;
}

TGLVector Add(const TGLVector& A, const TGLVector& B) {
    return {A.X + B.X, A.Y + B.Y, A.Z + B.Z};
}

} // namespace

TShimmerPasses ShimmerPassesFor(const float Camera[16], const TGLVector& ToLight,
                                const TWhiteLighting& Lighting, const TGLVector& Position,
                                const TGLVector& Rotation, const TGLPrimitive& Mesh) {
    const int vertexCount = Mesh.Vertices.Count();
    if (Mesh.Mode() != GL_TRIANGLES || Mesh.Normals.Count() != vertexCount || Mesh.Indices.Count() % 3 != 0)
        return TShimmerPasses::Two;
    Matrix3 camera;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) camera.M[r][c] = Camera[c * 4 + r];
    const TGLVector cameraOrigin{Camera[12], Camera[13], Camera[14]};
    const Matrix3 model =
        Multiply(Multiply(Multiply(camera, AxisRotation(1, Rotation.Y)), AxisRotation(0, Rotation.X)),
                 AxisRotation(2, Rotation.Z));
    const TGLVector origin = Add(Apply(camera, Position), cameraOrigin);
    const TGLVector light = Unit(Apply(camera, ToLight)); // OpenGL keeps the light in eye coordinates
    // The viewer is at infinity: the half-way vector lies between the light and the z axis.
    const TGLVector halfway = Unit({light.X, light.Y, light.Z + 1});

    const TGLVector* vertices = Mesh.Vertices.Items();
    const TGLVector* normals = Mesh.Normals.Items();
    const int32_t* indices = Mesh.Indices.Items();
    const int indexCount = Mesh.Indices.Count();
    // A vertex is shared by several faces: it is moved into eye coordinates, and its lighting judged,
    // once for all of them (the same sums, so the same answer as face by face). A note that saturates
    // is often settled by its first faces, so a vertex is moved only when a face first needs it.
    const auto eye = std::make_unique_for_overwrite<TGLVector[]>(static_cast<size_t>(vertexCount));
    std::vector<uint8_t> done(static_cast<size_t>(vertexCount), 0); // Moved, Judged
    constexpr uint8_t Moved = 1, Judged = 2;
    // A black specular colour adds nothing (the scene's light has none): no power to take.
    const bool highlight =
        Lighting.Specular[0] != 0 || Lighting.Specular[1] != 0 || Lighting.Specular[2] != 0;
    for (int t = 0; t < indexCount; t += 3) {
        for (int k = 0; k < 3; ++k) {
            const int32_t i = indices[t + k];
            if (i < 0 || i >= vertexCount) return TShimmerPasses::Two;
            if (!(done[i] & Moved)) {
                eye[i] = Add(Apply(model, vertices[i]), origin);
                done[i] |= Moved;
            }
        }
        const TGLVector& a = eye[indices[t]];
        // A face turned clearly away from the eye (at the origin) is culled and draws nothing.
        TGLVector face;
        FaceNormal(a, eye[indices[t + 1]], eye[indices[t + 2]], face);
        if (Dot(Unit(face), Unit(a)) > Margin) continue;
        for (int k = 0; k < 3; ++k) {
            const int32_t i = indices[t + k];
            if (done[i] & Judged) continue;
            done[i] |= Judged;
            // The normal as OpenGL lights it: rotated, not normalized.
            const TGLVector n = Apply(model, normals[i]);
            const float diffuse = std::max(Dot(n, light), 0.0f);
            const float specular = highlight && diffuse > 0
                                       ? static_cast<float>(quillaby::portable::Pow(
                                             std::max(Dot(n, halfway), 0.0f), Lighting.Shininess))
                                       : 0.0f;
            for (int c = 0; c < 3; ++c)
                if (Lighting.Ambient[c] + Lighting.Diffuse[c] * diffuse + Lighting.Specular[c] * specular >=
                    1 - Margin)
                    return TShimmerPasses::Two;
        }
    }
    return TShimmerPasses::One;
}

OnePassShimmer::OnePassShimmer(TGLTexture& Shimmer, const TGLColor& Colour, Single Alpha) {
    // Stage 0: the note texture times Colour.
    SetCombinerStage(GL_MODULATE, GL_TEXTURE, GL_CONSTANT, GL_CONSTANT);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, &Colour.R);
    // Stage 1: shimmer * Alpha + previous * (1 - Alpha), the shimmer's coordinates sphere-mapped.
    glActiveTexture(GL_TEXTURE1);
    Shimmer.Bind(); // a first bind sends the texture's own environment to this unit: set it after
    glEnable(GL_TEXTURE_2D);
    SetCombinerStage(GL_INTERPOLATE, GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT);
    const TGLColor constant{1, 1, 1, Alpha};
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, &constant.R);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    // Stage 2: previous times the lit colour. The unit samples nothing, but a stage only runs on a
    // unit with a texture.
    glActiveTexture(GL_TEXTURE2);
    Shimmer.Bind();
    glEnable(GL_TEXTURE_2D);
    SetCombinerStage(GL_MODULATE, GL_PREVIOUS, GL_PRIMARY_COLOR, GL_PRIMARY_COLOR);
    glActiveTexture(GL_TEXTURE0);
}

OnePassShimmer::~OnePassShimmer() {
    glActiveTexture(GL_TEXTURE2);
    glDisable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glActiveTexture(GL_TEXTURE0);
    // Textures keep their environment as their own state and send it only when it changes.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

} // namespace quillaby::scene
