#include "scene/SceneDrawing.h"

#include <cmath>
#include <numeric>
#include <vector>

#include "geometry/TGLPrimitive.h"
#include "gl/GLCalls.h"
#include "gl/RenderStates.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLTexture.h"
#include "gl/TGLViewport.h"
#include "math/FastMath.h"
#include "math/PortableMath.h"
#include "scene/CombinedLayers.h"
#include "scene/DepthFade.h"
#include "scene/ShimmerPass.h"
#include "scene/UnderwaterScene.h"

namespace {

constexpr Single CausticsDrift = 0.1f; // texture widths per second

void SetSingleColour(TGLPrimitive& Mesh, const TGLColor& Colour) {
    Mesh.Colors.SetCount(1);
    Mesh.Colors.SetItem(0, Colour);
}

TGLColor WithAlpha(TGLColor Colour, Single Alpha) {
    Colour.A = Alpha;
    return Colour;
}

} // namespace

void TSceneDrawing::ScrollCaustics(float dt) {
    ScrollTextureCoords(FScene.SurfaceCausticsMesh->TexCoords, -CausticsDrift * dt, CausticsDrift * dt);
    ScrollTextureCoords(FScene.BottomCausticsMesh->TexCoords, CausticsDrift * dt, CausticsDrift * dt);
}

void TSceneDrawing::DrawLayer(TGLPrimitive& Mesh, float Y) {
    glPushMatrix();
    glTranslatef(0, Y, 0);
    Mesh.Draw();
    glPopMatrix();
}

void TSceneDrawing::DrawEnvironment(const TSceneTheme& Theme) {
    const TSceneParameters& p = FScene.Params;
    // Painter's order: no depth test, no lighting.
    DisableLighting();
    DisableDepthTest();
    DisableFog();
    EnableTexturing();

    DisableBlending();
    FDrewCombined = UseCombinedLayers();
    if (FDrewCombined) {
        // At the far depth, tested but not written: where an opaque note already stands, llvmpipe
        // skips the texturing of the whole block; elsewhere the pixels are those of painting first.
        EnableDepthTest();
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_FALSE);
        glDepthRange(1, 1);
        DrawCombinedLayers(Theme);
        DrawBackWall(Theme);
        glDepthRange(0, 1);
        glDepthMask(GL_TRUE);
        DisableDepthTest();
        return;
    }
    Theme.SurfaceTexture->Bind();
    DrawLayer(*FScene.SurfaceMesh, p.SurfaceY);
    Theme.BottomTexture->Bind();
    DrawLayer(*FScene.BottomMesh, p.BottomY);

    EnableBlending();
    SetSingleColour(*FScene.SurfaceCausticsMesh, {1, 1, 1, p.SurfaceCausticsAlpha});
    if (p.SurfaceCausticsAlpha > 0) {
        Theme.CausticsTexture->Bind();
        DrawLayer(*FScene.SurfaceCausticsMesh, p.SurfaceY);
    }
    SetSingleColour(*FScene.BottomCausticsMesh, {1, 1, 1, p.BottomCausticsAlpha});
    if (p.BottomCausticsAlpha > 0) {
        Theme.CausticsTexture->Bind();
        DrawLayer(*FScene.BottomCausticsMesh, p.BottomY);
    }

    // The fade layers hide the far ends of surface and sand in the theme's water colours.
    DisableFog();
    DisableTexturing();
    EnableBlending();
    TGLPrimitive& surfaceFade = *FScene.SurfaceFadeMesh;
    ApplyDepthFade(surfaceFade.Vertices, surfaceFade.Colors, WithAlpha(Theme.SurfaceColour, 0),
                   WithAlpha(Theme.SurfaceColour, 1), -p.FadeStart, -p.FadeEnd);
    DrawLayer(surfaceFade, p.SurfaceY);
    TGLPrimitive& bottomFade = *FScene.BottomFadeMesh;
    ApplyDepthFade(bottomFade.Vertices, bottomFade.Colors, WithAlpha(Theme.BottomColour, 0),
                   WithAlpha(Theme.BottomColour, 1), -p.FadeStart, -p.FadeEnd);
    DrawLayer(bottomFade, p.BottomY);

    DrawBackWall(Theme);
}

bool TSceneDrawing::UseCombinedLayers() {
    if (!FScene.Options.FewerPasses) return false;
    const TUnderwaterScene& s = FScene;
    return CombinersAvailable() &&
           quillaby::scene::CanCombine(*s.SurfaceMesh, *s.SurfaceCausticsMesh, *s.SurfaceFadeMesh) &&
           quillaby::scene::CanCombine(*s.BottomMesh, *s.BottomCausticsMesh, *s.BottomFadeMesh);
}

void TSceneDrawing::DrawCombinedLayers(const TSceneTheme& Theme) {
    const TSceneParameters& p = FScene.Params;
    TUnderwaterScene& s = FScene;
    // The same colours as the layered drawing leaves behind.
    SetSingleColour(*s.SurfaceCausticsMesh, {1, 1, 1, p.SurfaceCausticsAlpha});
    SetSingleColour(*s.BottomCausticsMesh, {1, 1, 1, p.BottomCausticsAlpha});
    ApplyDepthFade(s.SurfaceFadeMesh->Vertices, s.SurfaceFadeMesh->Colors, WithAlpha(Theme.SurfaceColour, 0),
                   WithAlpha(Theme.SurfaceColour, 1), -p.FadeStart, -p.FadeEnd);
    ApplyDepthFade(s.BottomFadeMesh->Vertices, s.BottomFadeMesh->Colors, WithAlpha(Theme.BottomColour, 0),
                   WithAlpha(Theme.BottomColour, 1), -p.FadeStart, -p.FadeEnd);

    quillaby::scene::CombinedLayerPass pass;
    glPushMatrix();
    glTranslatef(0, p.SurfaceY, 0);
    pass.Draw(*s.SurfaceMesh, *s.SurfaceCausticsMesh, *s.SurfaceFadeMesh, *Theme.SurfaceTexture,
              *Theme.CausticsTexture, p.SurfaceCausticsAlpha);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, p.BottomY, 0);
    pass.Draw(*s.BottomMesh, *s.BottomCausticsMesh, *s.BottomFadeMesh, *Theme.BottomTexture,
              *Theme.CausticsTexture, p.BottomCausticsAlpha);
    glPopMatrix();
}

void TSceneDrawing::DrawBackWall(const TSceneTheme& Theme) {
    const TSceneParameters& p = FScene.Params;
    DisableFog();
    DisableBlending();
    DisableTexturing();
    const Single h = static_cast<Single>(quillaby::portable::Tan(DegToRad(p.FieldOfView / 2))) * p.ViewFar;
    const quillaby::scene::SurfaceSize& view = FView ? *FView : FScene.Surface;
    const int width = view.Width(), height = view.Height();
    const Single w = height > 0 ? h * static_cast<Single>(width) / static_cast<Single>(height) : h;
    // The wall belongs at the far distance, but a vertex exactly on the far plane may be clipped
    // by rounding: it stands a hair nearer, still covering the whole view.
    const Single z = -p.ViewFar * (1 - BackWallInset);
    TGLPrimitive& wall = *FScene.BackWall;
    wall.Vertices.SetVector(0, -w, p.SurfaceY, z);
    wall.Vertices.SetVector(1, -w, p.BottomY, z);
    wall.Vertices.SetVector(2, w, p.BottomY, z);
    wall.Vertices.SetVector(3, w, p.SurfaceY, z);
    wall.Colors.SetCount(4);
    wall.Colors.SetItem(0, Theme.SurfaceColour);
    wall.Colors.SetItem(1, Theme.BottomColour);
    wall.Colors.SetItem(2, Theme.BottomColour);
    wall.Colors.SetItem(3, Theme.SurfaceColour);
    wall.Draw();
}

namespace {

void DrawParticle(TGLPrimitive& Mesh, const TParticle& Particle) {
    glPushMatrix();
    glTranslatef(Particle.Position.X, Particle.Position.Y, Particle.Position.Z);
    glRotatef(Particle.Rotation.Y, 0, 1, 0);
    glRotatef(Particle.Rotation.X, 1, 0, 0);
    glRotatef(Particle.Rotation.Z, 0, 0, 1);
    Mesh.Draw();
    glPopMatrix();
}

// The particles of System that Indices names, in that order.
void DrawParticles(TGLPrimitive& Mesh, const TParticles& System, const std::vector<int>& Indices) {
    for (const int i : Indices) DrawParticle(Mesh, System.Particles[i]);
}

} // namespace

bool TSceneDrawing::CombinersAvailable() {
    if (!FCombinedChecked) {
        FCombinedAvailable = quillaby::scene::CombinedLayersAvailable();
        FCombinedChecked = true;
    }
    return FCombinedAvailable;
}

void TSceneDrawing::SortNotesByPasses(const TGLPrimitive& Mesh, const TParticles& System) {
    const TSceneParameters& p = FScene.Params;
    const TGLLight& light = *FScene.Light;
    float camera[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, camera);
    const TGLColor ambient = p.AmbientColour, own = light.Ambient(), diffuse = light.Diffuse(),
                   specular = light.Specular();
    const quillaby::scene::TWhiteLighting lighting{{ambient.R + own.R, ambient.G + own.G, ambient.B + own.B},
                                                   {diffuse.R, diffuse.G, diffuse.B},
                                                   {specular.R, specular.G, specular.B},
                                                   FScene.Material->Shininess()};
    const TGLVector& d = light.Direction();
    const TGLVector toLight = MakeVector(-d.X, -d.Y, -d.Z);
    FOnePassNotes.clear();
    FTwoPassNotes.clear();
    for (int i = 0; i < System.Count; ++i) {
        const TParticle& note = System.Particles[i];
        if (quillaby::scene::ShimmerPassesFor(camera, toLight, lighting, note.Position, note.Rotation,
                                              Mesh) == quillaby::scene::TShimmerPasses::One)
            FOnePassNotes.push_back(i);
        else
            FTwoPassNotes.push_back(i);
    }
}

void TSceneDrawing::DrawNotes(TGLPrimitive& Mesh, TGLPrimitive& ReflectionMesh, const TSceneTheme& Theme,
                              const TParticles& System) {
    const TSceneParameters& p = FScene.Params;
    TGLLight& light = *FScene.Light;
    TGLMaterial& material = *FScene.Material;
    DisableFog();
    EnableLighting();
    EnableDepthTest();
    light.SetDirection(MakeVector(-1, -1, -1));
    light.Enable();

    glDepthFunc(GL_LEQUAL);
    DisableBlending();
    // With fewer passes, the notes whose lighting nowhere saturates get their shimmer in their
    // first pass already: lit white, coloured by the texture stages. The others (all of them
    // otherwise) take the two passes.
    const bool sorted = p.ReflectionAlpha > 0 && FScene.Options.FewerPasses && CombinersAvailable();
    if (sorted) {
        SortNotesByPasses(Mesh, System);
    } else {
        FOnePassNotes.clear();
        FTwoPassNotes.resize(static_cast<std::size_t>(System.Count));
        std::iota(FTwoPassNotes.begin(), FTwoPassNotes.end(), 0);
    }
    if (!FOnePassNotes.empty()) {
        material.SetDiffuse(MakeColor(1, 1, 1, 1));
        material.SetAmbient(MakeColor(1, 1, 1, 1));
        material.SetSpecular(MakeColor(1, 1, 1, 1));
        material.UpdateAll();
        EnableTexturing();
        FScene.NoteTexture->Bind();
        const quillaby::scene::OnePassShimmer shimmer(*FScene.ReflectionTexture, Theme.NoteColour,
                                                      p.ReflectionAlpha);
        DrawParticles(Mesh, System, FOnePassNotes);
    }
    if (sorted && FTwoPassNotes.empty()) return;

    material.SetDiffuse(Theme.NoteColour);
    material.SetAmbient(Theme.NoteColour);
    material.SetSpecular(Theme.NoteColour);
    material.UpdateAll();
    EnableTexturing();
    FScene.NoteTexture->Bind();
    DrawParticles(Mesh, System, FTwoPassNotes);

    if (p.ReflectionAlpha > 0) {
        EnableBlending();
        // Only the pixels the first pass wrote get the shimmer.
        glDepthFunc(GL_EQUAL);
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        material.SetAmbient(MakeColor(1, 1, 1, 1));
        material.SetSpecular(MakeColor(1, 1, 1, 1));
        material.SetDiffuse(MakeColor(1, 1, 1, p.ReflectionAlpha));
        material.UpdateAll();
        FScene.ReflectionTexture->Bind();
        DrawParticles(ReflectionMesh, System, FTwoPassNotes);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
}

void TSceneDrawing::DrawBubbles(const TSceneTheme& Theme) {
    DisableFog();
    DisableLighting();
    EnableBlending();
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    glDepthFunc(GL_LEQUAL);
    EnableDepthTest();
    EnableTexturing();
    FScene.BubbleTexture->Bind();
    TGLPrimitive& mesh = *FScene.BubbleMesh;
    SetSingleColour(mesh, Theme.BubbleColour);
    const TParticles& bubbles = *FScene.Bubbles;
    // With fewer passes, all bubbles in one draw: the same triangles in the same order.
    if (FScene.Options.FewerPasses && BatchParticles(mesh, bubbles)) {
        FBubbleBatch.Draw();
        glDisable(GL_ALPHA_TEST);
        return;
    }
    for (int i = 0; i < bubbles.Count; ++i) {
        const TGLVector& position = bubbles.Particles[i].Position;
        glPushMatrix();
        glTranslatef(position.X, position.Y, position.Z);
        mesh.Draw();
        glPopMatrix();
    }
    glDisable(GL_ALPHA_TEST);
}

bool TSceneDrawing::BatchParticles(const TGLPrimitive& Mesh, const TParticles& System) {
    const int n = Mesh.Vertices.Count(), m = Mesh.Indices.Count();
    if (Mesh.Mode() != GL_TRIANGLES || n == 0 || m == 0 || Mesh.TexCoords.Count() != n) return false;
    TGLPrimitive& batch = FBubbleBatch;
    batch.Vertices.SetCount(n * System.Count);
    batch.TexCoords.SetCount(n * System.Count);
    batch.Indices.SetCount(m * System.Count);
    batch.Normals.SetCount(0); // drawn unlit
    batch.Colors.SetCount(Mesh.Colors.Count() == 1 ? 1 : 0);
    if (Mesh.Colors.Count() == 1) batch.Colors.SetItem(0, Mesh.Colors.Items()[0]);
    const TGLVector* vertices = Mesh.Vertices.Items();
    const TGLTextureCoord* coords = Mesh.TexCoords.Items();
    const int32_t* indices = Mesh.Indices.Items();
    TGLVector* toVertices = batch.Vertices.Items();
    TGLTextureCoord* toCoords = batch.TexCoords.Items();
    int32_t* toIndices = batch.Indices.Items();
    for (int i = 0; i < System.Count; ++i) {
        const TGLVector& at = System.Particles[i].Position;
        for (int v = 0; v < n; ++v) {
            toVertices[i * n + v] = {vertices[v].X + at.X, vertices[v].Y + at.Y, vertices[v].Z + at.Z};
            toCoords[i * n + v] = coords[v];
        }
        for (int k = 0; k < m; ++k) toIndices[i * m + k] = indices[k] + i * n;
    }
    return true;
}
