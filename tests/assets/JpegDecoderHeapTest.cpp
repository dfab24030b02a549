// The JPEG decoder frees its decompressor when memory runs out, seen in glibc's heap statistics
// (Linux only: mallinfo2).
#include <malloc.h>

#include <new>

#include <gtest/gtest.h>

#include "AllocationLimit.h"
#include "ImageFiles.h"
#include "assets/JpegDecoder.h"

using quillaby::DecodeJpeg;

TEST(JpegDecoder, RunningOutOfMemoryForThePictureFreesTheDecompressor) {
    const auto stream = testimages::EncodeJpeg(256, 256, 3, testimages::Solid(256, 256, 9, 99, 199));
    const auto heldBefore = static_cast<long long>(mallinfo2().uordblks);
    for (int i = 0; i < 20; ++i) {
        testalloc::FailLargeAllocations fail(64 * 1024); // the picture needs 192 KB
        EXPECT_THROW(DecodeJpeg(stream), std::bad_alloc);
    }
    // A leaked decompressor keeps tens of KB of pools each time. (Under ASan mallinfo2 sees nothing,
    // and the leak check at exit speaks instead.)
    EXPECT_LT(static_cast<long long>(mallinfo2().uordblks) - heldBefore, 4096);
    EXPECT_EQ(DecodeJpeg(stream).Width, 256);
}
