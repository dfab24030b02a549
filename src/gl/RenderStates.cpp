#include "gl/RenderStates.h"

#include "gl/GLCalls.h"

void DisableFog() {
    glDisable(GL_FOG);
}
void EnableBlending() {
    glEnable(GL_BLEND);
}
void DisableBlending() {
    glDisable(GL_BLEND);
}
void EnableCulling() {
    glEnable(GL_CULL_FACE);
}
void EnableDepthTest() {
    glEnable(GL_DEPTH_TEST);
}
void DisableDepthTest() {
    glDisable(GL_DEPTH_TEST);
}
void EnableLighting() {
    glEnable(GL_LIGHTING);
}
void DisableLighting() {
    glDisable(GL_LIGHTING);
}

void EnableTexturing() {
    glEnable(GL_TEXTURE_1D);
    glEnable(GL_TEXTURE_2D);
}

void DisableTexturing() {
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
}

void DisableStencilTest() {
    glDisable(GL_STENCIL_TEST);
}

void SetAmbientLight(float R, float G, float B) {
    const GLfloat colour[4] = {R, G, B, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, colour);
}
