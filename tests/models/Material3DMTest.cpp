// Ownership of 3DM materials: the list and its materials stay in step.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "geometry/Material3DM.h"

namespace {

TEST(Material3DM, AddingNoneIsRefused) {
    T3DMMaterialList list;
    try {
        list.Add(static_cast<T3DMMaterial*>(nullptr));
        FAIL();
    } catch (const quillaby::Error& e) {
        EXPECT_STREQ(e.what(), "T3DMMaterialList error: Add a Nil Material");
    }
    EXPECT_EQ(list.Count(), 0);
}

TEST(Material3DM, OwnerMoveRenameAndDestroyKeepTheListsInStep) {
    T3DMMaterialList a, b;
    auto* first = new T3DMMaterialStandard("Same");
    auto* second = new T3DMMaterialStandard("Same");
    a.Add(first);
    a.Add(second);
    a.Add(first); // already there: still one entry
    ASSERT_EQ(a.Count(), 2);
    first->SetName("Other"); // a new name appends it again
    EXPECT_EQ(a.Items(1), first);
    delete second; // by identity: the repeated name must not take out another entry
    ASSERT_EQ(a.Count(), 1);
    EXPECT_EQ(a.Items(0), first);
    first->SetOwner(&b);
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(b.Items(0), first);
    EXPECT_EQ(first->Owner(), &b);
}

TEST(Material3DM, ClearDetachesThenDestroysSubMaterialsToo) {
    T3DMMaterialList list;
    auto* multi = new T3DMMaterialMultiSubObject("Multi");
    multi->SubMaterials.Add(new T3DMMaterialStandard("Sub"));
    list.Add(multi);
    list.Clear(); // the sanitizers catch a double free or a leak of the sub-material
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
