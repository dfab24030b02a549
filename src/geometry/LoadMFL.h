#pragma once
// MFL key-frame lists: line 1 holds the loop flag, every further line a time and a 3DM model.
// The first model is loaded completely; one vertex animation per primitive of it takes a key
// from every model of the list.
#include <string>
#include <vector>

#include "assets/LoadSettings.h"

class TAnimationList;
class TGLMaterialList;
class TGLPrimitiveList;
class TGLTextureList;

// Reads the list FileName (the resource named after it, or ModelDirectory + FileName, as the
// load settings say). Animations is cleared first; animation i drives primitive i of Primitives,
// which keeps the primitives (the animations hold no reference). Errors propagate and leave
// what was built so far in the caller's lists.
void LoadMFL(const std::string& FileName, TGLTextureList& Textures, TGLMaterialList& Materials,
             TAnimationList& Animations, TGLPrimitiveList& Primitives,
             const TLoadSettings& From = LoadSettings());

// The same from lines already read; SourceName names them in messages.
void LoadMFLLines(const std::vector<std::string>& Lines, const std::string& SourceName,
                  TGLTextureList& Textures, TGLMaterialList& Materials, TAnimationList& Animations,
                  TGLPrimitiveList& Primitives, const TLoadSettings& From = LoadSettings());
