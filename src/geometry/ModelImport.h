#pragma once
// The import of 3DM models into what the renderer draws: primitives (one vertex numbering,
// faces grouped by material id, turned from the file's Z-up axes to the scene's Y-up axes, smooth
// normals), materials and textures. The file-level operations read ModelDirectory + FileName
// from the disk, or the resource named after it, as the load settings say.
#include <memory>
#include <string>
#include <vector>

#include "assets/LoadSettings.h"

class T3DMFile;
class T3DMObject;
class T3DMMaterialStandard;
class TGLPrimitive;
class TGLPrimitiveList;
class TGLMaterial;
class TGLMaterialList;
class TGLTextureList;

// Every object of the file merged into one primitive; none when the file has no object.
std::unique_ptr<TGLPrimitive> LoadPrimitive(const std::string& FileName,
                                            const TLoadSettings& From = LoadSettings());
// The full model: the three lists are cleared, then filled (untouched when the file has no object).
void LoadModel(const std::string& FileName, TGLTextureList& Textures, TGLMaterialList& Materials,
               TGLPrimitiveList& Primitives, const TLoadSettings& From = LoadSettings());
// Geometry only: List is cleared, then receives one primitive per material id per object.
void LoadPrimitiveList(const std::string& FileName, TGLPrimitiveList& List,
                       const TLoadSettings& From = LoadSettings());

// The conversions behind them.
void ModelFrom3DMFile(const T3DMFile& File, TGLTextureList& Textures, TGLMaterialList& Materials,
                      TGLPrimitiveList& Primitives, const TLoadSettings& From = LoadSettings());
// Appends one primitive per material id of the object, in ascending id order. Ids above 1000
// raise "PrimitiveListFrom3DMObject error: FaceID>1000".
void PrimitiveListFrom3DMObject(const T3DMObject& Object, TGLPrimitiveList& List);
// One primitive from all faces of the object, in face order.
std::unique_ptr<TGLPrimitive> PrimitiveFrom3DMObject(const T3DMObject& Object);
// One primitive from the listed faces (0-based positions), in list order. A face, texture
// coordinate or colour number that names nothing raises an error naming the object and face.
std::unique_ptr<TGLPrimitive> PrimitiveFrom3DMFaces(const std::vector<int>& Faces, const T3DMObject& Object);
// Objects merged; none when there is no object.
std::unique_ptr<TGLPrimitive> PrimitiveFrom3DMFile(const T3DMFile& File);
std::unique_ptr<TGLMaterial> MaterialFrom3DMStandard(const T3DMMaterialStandard& Material);
// The diffuse map name, or empty.
std::string DiffuseMapName(const T3DMMaterialStandard& Material);
