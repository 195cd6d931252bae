// Large buffers that are filled at once (video memory, a view's image) are backed by huge pages
// where the system allows: a 4 KB page costs one page fault, and thousands of them are a good
// part of the program's start.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Reserves room for `count` elements and asks for huge pages behind the whole 2 MB pages inside
// it (a hint only). Call it on an empty vector, before filling it.
template <typename Element, typename Allocator>
void reservehugepages(std::vector<Element, Allocator>& buffer, size_t count) {
    buffer.reserve(count);
    constexpr uintptr_t hugepage = uintptr_t{2} << 20;
    const auto start = reinterpret_cast<uintptr_t>(buffer.data());
    const uintptr_t first = (start + hugepage - 1) & ~(hugepage - 1);
    const uintptr_t end = (start + count * sizeof(Element)) & ~(hugepage - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}
