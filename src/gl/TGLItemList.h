#pragma once
// TGLItemList: the reference-counted base of the shared graphics items (materials, textures,
// primitives). Each list that holds an item holds one reference; the last Release frees it.

class TGLItemList {
  public:
    TGLItemList() = default;
    virtual ~TGLItemList() = default;
    TGLItemList(const TGLItemList&) = delete;
    TGLItemList& operator=(const TGLItemList&) = delete;

    // Adds one reference; returns the new count.
    int AddRef() { return ++RefCount; }
    // Drops one reference and deletes the item when the count reaches 0 or below; returns the new
    // count. The item must have been created with new.
    int Release();

    int RefCount = 0;
};
