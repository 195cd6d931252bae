#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <vector>

#include "core/untouched_allocator.h"

// Small blocks come from calloc, large ones from a mapping of whole huge pages: both must come
// zeroed, keep what was written when they grow, and refuse sizes that would wrap when rounded.
TEST(UntouchedAllocator, BlocksComeZeroedAndKeepTheirContentWhenTheyGrow) {
    for (const size_t count : {size_t{1000}, size_t{5} << 20, (size_t{16} << 20) + 15}) {
        SCOPED_TRACE(count);
        std::vector<uint8_t, t_UntouchedAllocator<uint8_t>> block(count);
        EXPECT_EQ(block.front() | block[count / 2] | block.back(), 0);
        if (untouched::mapped(count)) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(block.data()) % untouched::hugepage, 0u);
        }
        block.back() = 7;
        block.resize(count * 2);
        EXPECT_EQ(block[count - 1], 7);
        EXPECT_EQ(block.back(), 0);
    }
    t_UntouchedAllocator<uint32_t> allocator;
    EXPECT_THROW((void)allocator.allocate(SIZE_MAX / 4), std::bad_alloc);
}

// A large block's last part gets a huge page of its own only when it fills half of one: a view's
// image (4,096,000 bytes) ends in a whole huge page, the video memory's 15 bytes past 16 MB do not.
TEST(UntouchedAllocator, OnlyALargeLastPartIsRoundedToAWholeHugePage) {
    const std::pair<size_t, size_t> sizes[] = {{size_t{2} << 20, size_t{2} << 20},
                                               {4096000, size_t{4} << 20},
                                               {(size_t{16} << 20) + 15, (size_t{16} << 20) + 4096},
                                               {(size_t{3} << 20) - 1, size_t{3} << 20}};
    for (const auto& [bytes, mapped] : sizes) EXPECT_EQ(untouched::mappedsize(bytes), mapped) << bytes;
}
