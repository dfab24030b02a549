// The outputs as wl_output events build them, fed in the order a compositor sends them.
#include <gtest/gtest.h>

#include "platform/wayland/OutputList.h"

namespace quillaby::platform {
namespace {

void Describe(OutputList& list, uint32_t global, const char* name, int x, int y, int width, int height,
              int scale = 1) {
    OutputInfo* output = list.Find(global);
    ASSERT_NE(output, nullptr);
    output->Name = name;
    output->X = x;
    output->Y = y;
    output->PixelWidth = width;
    output->PixelHeight = height;
    output->Scale = scale;
}

TEST(OutputList, OutputsCountOnceDescribedAndGoWithTheirGlobal) {
    OutputList list;
    list.Add(40);
    list.Add(41);
    EXPECT_TRUE(list.Ready().empty()); // nothing is known before "done"
    EXPECT_FALSE(list.Primary());

    Describe(list, 41, "HEADLESS-2", 800, 0, 1280, 960, 2);
    EXPECT_TRUE(list.Done(41));
    EXPECT_FALSE(list.Done(41)); // a later "done" of the same output adds nothing
    ASSERT_EQ(list.Ready().size(), 1u);
    EXPECT_EQ(list.Primary()->Name, "HEADLESS-2"); // the only one so far
    // A 2x output covers half its pixels in the desktop's logical pixels.
    EXPECT_EQ(list.Ready()[0].Logical(), (MonitorRect{800, 0, 640, 480}));

    EXPECT_FALSE(list.Done(40)); // no mode yet: not an output to cover
    Describe(list, 40, "HEADLESS-1", 0, 0, 800, 600);
    EXPECT_TRUE(list.Done(40));
    EXPECT_EQ(list.Ready().size(), 2u);
    EXPECT_EQ(list.Primary()->Name, "HEADLESS-1"); // the one at the desktop's origin

    EXPECT_TRUE(list.Remove(40));
    EXPECT_FALSE(list.Remove(40));
    EXPECT_EQ(list.Find(40), nullptr);
    EXPECT_EQ(list.Primary()->Name, "HEADLESS-2");
    list.Add(42); // an output added during the run
    Describe(list, 42, "HEADLESS-3", 1440, 0, 1024, 768);
    EXPECT_TRUE(list.Done(42));
    ASSERT_EQ(list.Ready().size(), 2u);
    EXPECT_EQ(list.Ready()[1].Name, "HEADLESS-3");
}

} // namespace
} // namespace quillaby::platform
