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
    EXPECT_THROW(list.Items(0), quillaby::Error);
}

TEST(Material3DM, MovingToAnotherListLeavesTheFirst) {
    T3DMMaterialList a, b;
    auto* m = new T3DMMaterialStandard("M");
    a.Add(m);
    a.Add(m); // already there: still one entry
    EXPECT_EQ(a.Count(), 1);
    m->SetOwner(&b);
    EXPECT_EQ(a.Count(), 0);
    ASSERT_EQ(b.Count(), 1);
    EXPECT_EQ(m->Owner(), &b);
}

TEST(Material3DM, RenamingAppendsAgainAndDestroyingRemoves) {
    T3DMMaterialList list;
    auto* first = new T3DMMaterialStandard("A");
    auto* second = new T3DMMaterialStandard("B");
    list.Add(first);
    list.Add(second);
    first->SetName("A"); // same name: nothing moves
    EXPECT_EQ(list.Items(0), first);
    first->SetName("C");
    EXPECT_EQ(list.Items(0), second);
    EXPECT_EQ(list.Items(1), first);
    delete second;
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), first);
}

TEST(Material3DM, RepeatedNamesRemoveTheRightMaterial) {
    T3DMMaterialList list;
    auto* first = new T3DMMaterialStandard("Same");
    auto* second = new T3DMMaterialStandard("Same");
    list.Add(first);
    list.Add(second);
    delete second;
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), first);
    EXPECT_EQ(first->Owner(), &list);
}

TEST(Material3DM, ClearDetachesThenDestroys) {
    T3DMMaterialList list;
    auto* multi = new T3DMMaterialMultiSubObject("Multi");
    multi->SubMaterials.Add(new T3DMMaterialStandard("Sub"));
    list.Add(multi);
    list.Add(new T3DMMaterialStandard("Other"));
    list.Clear(); // the sanitizers catch a double free or a leak of the sub-material
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
