#pragma once
// The shared-item list behind TGLMaterialList, TGLTextureList and TGLPrimitiveList: an ordered list
// holding one reference on each entry. Clear releases them first to last; the destructor clears.
#include <string>
#include <vector>

#include "base/Error.h"
#include "gl/TGLItemList.h"

// "List index out of bounds (5)": the list-index error of every item list.
[[noreturn]] void RaiseListIndexError(int Index);

template <class Item> class TGLItemRefList {
  public:
    TGLItemRefList() = default;
    ~TGLItemRefList() { Clear(); }
    TGLItemRefList(const TGLItemRefList&) = delete;
    TGLItemRefList& operator=(const TGLItemRefList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    Item* Items(int Index) const {
        if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
        return FItems[Index];
    }
    void Clear() {
        // Detach first: a Release that frees an item must not find it still listed.
        std::vector<Item*> items;
        items.swap(FItems);
        for (Item* item : items) item->Release();
    }

  protected:
    // Appends item and takes a reference; a null item raises nilMessage and changes nothing.
    void AddItem(Item* item, const char* nilMessage) {
        if (!item) throw quillaby::Error(nilMessage);
        FItems.push_back(item);
        item->AddRef();
    }

  private:
    std::vector<Item*> FItems;
};
