// The generator makes the same bytes every time and makes every file the scene asks for.
#include "AssetSet.h"
#include "GeneratedAssets.h"

#include <gtest/gtest.h>

using namespace assettest;

// The build's run wrote the files; this run makes them again in memory.
TEST(Determinism, EveryAssetComesOutByteForByteTheSameTwice) {
    for (const assetgen::Asset& a : assetgen::allAssets()) {
        SCOPED_TRACE(a.name);
        Bytes again = a.make();
        EXPECT_FALSE(again.empty());
        EXPECT_TRUE(again == asset(a.name));
    }
}

TEST(Determinism, TheSceneFindsEveryFileItLoads) {
    const char* const names[] = {"Dollaro00f.3dm", "Puzir00f.3dm", "dnoK00f.3dm", "DollarsWave.mfl",
                                 "dollar.jpg",     "caust1.jpg",   "caust2.jpg",  "caust3.jpg",
                                 "caust5.jpg",     "Pesok01.jpg",  "dno02.jpg",   "dno03.jpg",
                                 "voda1.jpg",      "voda2.jpg",    "voda3.jpg",   "puzir.jpg",
                                 "puzirA.jpg",     "logo.bmp",     "SBUBLES.wav"};
    for (const char* name : names) EXPECT_EQ(generatedAssets().count(name), 1u) << name;
    EXPECT_EQ(generatedAssets().size(), std::size(names) + 11);
}
