#pragma once
// The rendering engine's classes in one include: engine, viewport, light, material, texture and the
// shared item lists.
#include "gl/TGLItemList.h"
#include "gl/TGLItemRefList.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLTexture.h"
#include "gl/TGLTextureList.h"
#include "gl/TGLViewport.h"
#include "gl/TOpenGLEngine.h"
