#pragma once
// The rendering engine's classes in one include: engine, viewport, light, material and the shared
// item lists.
#include "gl/TGLItemList.h"
#include "gl/TGLItemRefList.h"
#include "gl/TGLLight.h"
#include "gl/TGLMaterial.h"
#include "gl/TGLMaterialList.h"
#include "gl/TGLViewport.h"
#include "gl/TOpenGLEngine.h"
