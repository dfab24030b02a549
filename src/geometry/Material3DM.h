#pragma once
// The materials of a 3DM model and the list that owns them.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "math/Geometry.h"

class T3DMMaterialList;

// Base of the material kinds. A material knows the list it is in (its Owner) and keeps that
// list in step when it is renamed, moved to another list or destroyed.
class T3DMMaterial {
  public:
    explicit T3DMMaterial(std::string Name) : FName(std::move(Name)) {}
    virtual ~T3DMMaterial();
    T3DMMaterial(const T3DMMaterial&) = delete;
    T3DMMaterial& operator=(const T3DMMaterial&) = delete;

    T3DMMaterialList* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }

    // Leaves the current owner (if any) and is appended to List (none: owned by nobody).
    void SetOwner(T3DMMaterialList* List);
    // A new name takes the material out of its owner and appends it again under that name.
    void SetName(const std::string& Name);

  private:
    friend class T3DMMaterialList;
    T3DMMaterialList* FOwner = nullptr;
    std::string FName;
};

// Colours are on the 0..255 scale, percentages on 0..100.
struct T3DMColor {
    Single R = 0, G = 0, B = 0;
};

class T3DMMaterialStandard : public T3DMMaterial {
  public:
    using T3DMMaterial::T3DMMaterial;

    bool Faceted = false;
    bool TwoSided = false;
    int32_t ShaderType = 0;
    int32_t OpacityType = 0;
    int32_t WireSize = 0;
    Single Glossiness = 0;
    Single SpecularLevel = 0;
    Single Opacity = 0;
    // Image file names; empty when the file says "undefined".
    std::string DiffuseMap, ReflectionMap, OpacityMap, BumpMap;
    T3DMColor Ambient, Diffuse, SelfIllumColor, Specular;
};

// An ordered list of materials by name (names may repeat); it owns its materials.
class T3DMMaterialList {
  public:
    T3DMMaterialList() = default;
    ~T3DMMaterialList();
    T3DMMaterialList(const T3DMMaterialList&) = delete;
    T3DMMaterialList& operator=(const T3DMMaterialList&) = delete;

    // Takes ownership: the material leaves any other list and is appended here.
    // Raises "T3DMMaterialList error: Add a Nil Material" for none.
    void Add(T3DMMaterial* Material);
    void Add(std::unique_ptr<T3DMMaterial> Material) { Add(Material.release()); }
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises the list-index error outside 0..Count-1.
    T3DMMaterial* Items(int Index) const;
    // Takes the material out of the list without destroying it; it then has no owner.
    void Remove(T3DMMaterial* Material);
    // Detaches, then destroys every material.
    void Clear();

  private:
    friend class T3DMMaterial;
    std::vector<T3DMMaterial*> FItems;
};

class T3DMMaterialMultiSubObject : public T3DMMaterial {
  public:
    using T3DMMaterial::T3DMMaterial;
    // Holds T3DMMaterialStandard materials only.
    T3DMMaterialList SubMaterials;
};
