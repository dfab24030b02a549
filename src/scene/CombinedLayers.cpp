#include "scene/CombinedLayers.h"

#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/TGLTexture.h"

namespace quillaby::scene {

namespace {

constexpr int UnitsNeeded = 3;

void SetConstant(const TGLColor& Colour) {
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, &Colour.R);
}

// Binds Texture on the active unit and switches 2-D texturing on there. A texture's first bind
// sends its own environment to the active unit, so the stage is set after it.
void BindOnUnit(GLenum Unit, TGLTexture& Texture) {
    glActiveTexture(Unit);
    Texture.Bind();
    glEnable(GL_TEXTURE_2D);
}

} // namespace

void SetCombinerStage(GLenum Combine, GLenum Source0, GLenum Source1, GLenum Source2) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, static_cast<GLint>(Combine));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, static_cast<GLint>(Source0));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, static_cast<GLint>(Source1));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB, static_cast<GLint>(Source2));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB, GL_SRC_ALPHA);
}

bool CombinedLayersAvailable() {
    const auto& gl = quillaby::gl::entryPoints;
    if (!gl.glActiveTexture || !gl.glClientActiveTexture) return false;
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    return units >= UnitsNeeded;
}

bool CanCombine(const TGLPrimitive& Base, const TGLPrimitive& Caustics, const TGLPrimitive& Fade) {
    const int n = Base.Vertices.Count();
    return n > 0 && Caustics.Vertices.Count() == n && Fade.Vertices.Count() == n &&
           Base.Colors.Count() <= 1 && Base.TexCoords.Count() == n && Caustics.TexCoords.Count() == n &&
           Fade.Colors.Count() == n;
}

CombinedLayerPass::CombinedLayerPass() {
    glDisableClientState(GL_NORMAL_ARRAY); // unlit
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glClientActiveTexture(GL_TEXTURE1);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

CombinedLayerPass::~CombinedLayerPass() {
    glClientActiveTexture(GL_TEXTURE1);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE2);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    // Textures keep their environment as their own state and send it only when it changes.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void CombinedLayerPass::Draw(const TGLPrimitive& Base, const TGLPrimitive& Caustics, const TGLPrimitive& Fade,
                             TGLTexture& BaseTexture, TGLTexture& CausticsTexture, Single CausticsAlpha) {
    // Stage 0: the base texture times the mesh's colour (white when it has none).
    BindOnUnit(GL_TEXTURE0, BaseTexture);
    SetCombinerStage(GL_MODULATE, GL_TEXTURE, GL_CONSTANT, GL_CONSTANT);
    SetConstant(Base.Colors.Count() == 1 ? Base.Colors.GetItem(0) : TGLColor{1, 1, 1, 1});
    // Stage 1: caustics * a + previous * (1 - a).
    BindOnUnit(GL_TEXTURE1, CausticsTexture);
    SetCombinerStage(GL_INTERPOLATE, GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT);
    SetConstant(TGLColor{1, 1, 1, CausticsAlpha > 0 ? CausticsAlpha : 0});
    // Stage 2: fade colour * its alpha + previous * (1 - its alpha). The unit samples nothing, but
    // a stage only runs on a unit with a texture.
    BindOnUnit(GL_TEXTURE2, CausticsTexture);
    SetCombinerStage(GL_INTERPOLATE, GL_PRIMARY_COLOR, GL_PREVIOUS, GL_PRIMARY_COLOR);

    const int n = Base.Vertices.Count();
    glVertexPointer(3, GL_FLOAT, sizeof(TGLVector), Base.Vertices.Data());
    glColorPointer(4, GL_FLOAT, sizeof(TGLColor), Fade.Colors.Data());
    glTexCoordPointer(2, GL_FLOAT, sizeof(TGLTextureCoord), Base.TexCoords.Data());
    glClientActiveTexture(GL_TEXTURE1);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TGLTextureCoord), Caustics.TexCoords.Data());
    glClientActiveTexture(GL_TEXTURE0);

    const auto& gl = quillaby::gl::entryPoints;
    if (gl.glLockArraysEXT) glLockArraysEXT(0, n);
    if (Base.Indices.Count() > 0)
        glDrawElements(Base.Mode(), Base.Indices.Count(), GL_UNSIGNED_INT, Base.Indices.Data());
    else
        glDrawArrays(Base.Mode(), 0, n);
    if (gl.glUnlockArraysEXT) glUnlockArraysEXT();
}

} // namespace quillaby::scene
