#include "gl/TGLLight.h"

#include "gl/GLCalls.h"

void TGLLight::Update() {
    if (FChanges == 0) return;
    const GLenum light = GL_LIGHT0 + FNumber;
    const auto changed = [this](uint32_t bits) { return (FChanges & bits) != 0; };

    if (changed(lcAmbient)) glLightfv(light, GL_AMBIENT, &FAmbient.R);
    if (changed(lcDiffuse)) glLightfv(light, GL_DIFFUSE, &FDiffuse.R);
    if (changed(lcSpecular)) glLightfv(light, GL_SPECULAR, &FSpecular.R);

    if (FDirectional) {
        // A directional light shines along Direction: OpenGL wants the direction towards it.
        if (changed(lcDirectional | lcDirection)) {
            const GLfloat position[4] = {-FDirection.X, -FDirection.Y, -FDirection.Z, 0};
            glLightfv(light, GL_POSITION, position);
        }
    } else {
        if (changed(lcDirectional | lcPosition)) {
            const GLfloat position[4] = {FPosition.X, FPosition.Y, FPosition.Z, 1};
            glLightfv(light, GL_POSITION, position);
        }
        if (changed(lcDirection)) glLightfv(light, GL_SPOT_DIRECTION, &FDirection.X);
    }

    if (changed(~uint32_t{lcSpotExponent - 1})) {
        if (changed(lcSpotExponent)) glLightf(light, GL_SPOT_EXPONENT, FSpotExponent);
        if (changed(lcSpotCutoff)) glLightf(light, GL_SPOT_CUTOFF, FSpotCutoff);
        if (changed(lcLocalViewer)) glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, FLocalViewer ? 1 : 0);
        if (changed(lcTwoSide)) glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, FTwoSide ? 1 : 0);
        if (changed(lcConstantAttenuation)) glLightf(light, GL_CONSTANT_ATTENUATION, FConstantAttenuation);
        if (changed(lcLinearAttenuation)) glLightf(light, GL_LINEAR_ATTENUATION, FLinearAttenuation);
        if (changed(lcQuadraticAttenuation)) glLightf(light, GL_QUADRATIC_ATTENUATION, FQuadraticAttenuation);
    }
    FChanges = 0;
}

void TGLLight::UpdateAll() {
    FChanges = lcAll;
    Update();
}

void TGLLight::Enable() {
    UpdateAll();
    glEnable(GL_LIGHT0 + FNumber);
}
