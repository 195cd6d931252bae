#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <vector>

#include "core/untouched_allocator.h"

// Small blocks come from calloc, large ones from a mapping of their own (the video memory's size
// is not a whole number of pages): all must come zeroed with their last byte mapped, keep what
// was written when they grow, and refuse sizes that would wrap when rounded.
TEST(UntouchedAllocator, BlocksComeZeroedAndKeepTheirContentWhenTheyGrow) {
    for (const size_t count : {size_t{1000}, size_t{5} << 20, (size_t{16} << 20) + 15}) {
        SCOPED_TRACE(count);
        std::vector<uint8_t, t_UntouchedAllocator<uint8_t>> block(count);
        EXPECT_EQ(block.front() | block[count / 2] | block.back(), 0);
        block.back() = 7;
        block.resize(count * 2);
        EXPECT_EQ(block[count - 1], 7);
        EXPECT_EQ(block.back(), 0);
    }
    t_UntouchedAllocator<uint32_t> allocator;
    EXPECT_THROW((void)allocator.allocate(SIZE_MAX / 4), std::bad_alloc);
}
