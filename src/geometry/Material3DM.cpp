#include "geometry/Material3DM.h"

#include <algorithm>

#include "base/Error.h"

T3DMMaterial::~T3DMMaterial() {
    if (FOwner != nullptr) FOwner->Remove(this);
}

void T3DMMaterial::SetOwner(T3DMMaterialList* List) {
    if (List == FOwner) return;
    if (FOwner != nullptr) FOwner->Remove(this);
    FOwner = List;
    if (List != nullptr) List->FItems.push_back(this);
}

void T3DMMaterial::SetName(const std::string& Name) {
    if (Name == FName) return;
    T3DMMaterialList* owner = FOwner;
    if (owner != nullptr) owner->Remove(this);
    FName = Name;
    if (owner != nullptr) SetOwner(owner);
}

T3DMMaterialList::~T3DMMaterialList() {
    Clear();
}

void T3DMMaterialList::Add(T3DMMaterial* Material) {
    if (Material == nullptr) throw quillaby::Error("T3DMMaterialList error: Add a Nil Material");
    Material->SetOwner(this);
}

T3DMMaterial* T3DMMaterialList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw quillaby::Error("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<size_t>(Index)];
}

void T3DMMaterialList::Remove(T3DMMaterial* Material) {
    // By identity, not by name: with repeated names a lookup by name could take out a
    // different material and leave this one behind as a dangling entry.
    const auto it = std::find(FItems.begin(), FItems.end(), Material);
    if (it == FItems.end()) return;
    FItems.erase(it);
    Material->FOwner = nullptr;
}

void T3DMMaterialList::Clear() {
    std::vector<T3DMMaterial*> items;
    items.swap(FItems);
    for (T3DMMaterial* material : items) {
        material->FOwner = nullptr;
        delete material;
    }
}
