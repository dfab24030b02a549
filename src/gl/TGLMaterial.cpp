#include "gl/TGLMaterial.h"

#include "gl/GLCalls.h"

void TGLMaterial::Update() {
    if (FChanges == 0) return;
    const GLenum face = FFrontFace && FBackFace ? GL_FRONT_AND_BACK : FFrontFace ? GL_FRONT : GL_BACK;
    if (FChanges & mcAmbient) glMaterialfv(face, GL_AMBIENT, &FAmbient.R);
    if (FChanges & mcDiffuse) glMaterialfv(face, GL_DIFFUSE, &FDiffuse.R);
    if (FChanges & mcSpecular) glMaterialfv(face, GL_SPECULAR, &FSpecular.R);
    if (FChanges & mcEmission) glMaterialfv(face, GL_EMISSION, &FEmission.R);
    if (FChanges & mcShininess) glMaterialf(face, GL_SHININESS, FShininess);
    FChanges = 0;
}

void TGLMaterial::UpdateAll() {
    FChanges = mcAll;
    Update();
}
