#include <gtest/gtest.h>

#include "ui/SettingsText.h"

using K = TSettingsText::TKind;

TEST(SettingsText, ReadsIntegersAndQuotedStringsAndRefusesMalformedValues) {
    const TSettingsText t("# Theme=1\n"
                          "  bubblecount = 42 \r\n"
                          "Theme=-3\n"
                          "Theme=1\n" // the first of a name counts
                          "Path=\"C:\\\\x \\\"y\\\"\"\n"
                          "Empty=\"\"\n"
                          "Plus=+7\n"
                          "Big=2147483648\n"
                          "Small=-2147483648\n"
                          "Open=\"abc\n"
                          "After=\"a\" b\n"
                          "Escape=\"\\n\"\n"
                          "Word=twelve\n"
                          "Nothing=\n"
                          "no value line\n");
    EXPECT_EQ(t.Find("BubbleCount").Kind, K::Integer);
    EXPECT_EQ(t.Find("BubbleCount").Integer, 42);
    EXPECT_EQ(t.Find("Theme").Integer, -3);
    EXPECT_EQ(t.Find("Path").Kind, K::String);
    EXPECT_EQ(t.Find("Path").String, "C:\\x \"y\"");
    EXPECT_EQ(t.Find("Empty").String, "");
    EXPECT_EQ(t.Find("Plus").Integer, 7);
    EXPECT_EQ(t.Find("Small").Integer, -2147483647 - 1);
    for (const char* bad : {"Big", "Open", "After", "Escape", "Word", "Nothing"})
        EXPECT_EQ(t.Find(bad).Kind, K::Invalid) << bad;
    EXPECT_EQ(t.Find("no value line").Kind, K::Missing);
    EXPECT_EQ(t.Find("Missing").Kind, K::Missing);
}

TEST(SettingsText, SettingAValueRewritesOnlyItsLine) {
    TSettingsText t("a=1\n# c\r\nTheme=-3\nlast line without end");
    t.SetInteger("Theme", -1);
    t.SetInteger("Width", 640);
    EXPECT_EQ(t.Text(), "a=1\n# c\r\nTheme=-1\nlast line without end\nWidth=640\n");
}
