// An allocator that leaves the memory of a growing vector as the system hands it over: a large
// fresh block comes as untouched zero pages, so 16 MB of video memory costs no page fault until
// a part of it is used. Blocks of 2 MB and more are mapped on a 2 MB boundary and offered huge
// pages: the video memory and a view's image are filled at once, and a 4 KB page costs one
// page fault each, thousands of them a good part of the program's start.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

namespace untouched {

constexpr size_t hugepage = size_t{2} << 20;

// Under AddressSanitizer every block comes from calloc, which keeps the sanitizer's guard bytes
// around it: a write past the video memory is reported, not just a fault on the next page.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool mapsown = false;
#else
constexpr bool mapsown = true;
#endif

inline bool mapped(size_t bytes) { return mapsown && bytes >= hugepage; }

constexpr size_t smallpage = 4096;

// Whole huge pages, so that a block's last part does not come in small pages; but a last part
// of less than half a huge page stays in small pages: the video memory's few bytes past 16 MB
// would otherwise cost the clearing of a whole 2 MB page.
inline size_t mappedsize(size_t bytes) {
    if ((bytes & (hugepage - 1)) < hugepage / 2) return (bytes + smallpage - 1) & ~(smallpage - 1);
    return (bytes + hugepage - 1) & ~(hugepage - 1);
}

// Zeroed, untouched memory on a huge-page boundary: the mapping is taken 2 MB larger and the
// ends that do not fit the boundary are given back.
inline void* maphuge(size_t bytes) {
    const size_t size = mappedsize(bytes);
    void* region = ::mmap(nullptr, size + hugepage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(region);
    const uintptr_t aligned = (start + hugepage - 1) & ~(hugepage - 1);
    if (aligned > start) ::munmap(region, aligned - start);
    const uintptr_t tail = aligned + size;
    if (start + size + hugepage > tail) ::munmap(reinterpret_cast<void*>(tail), start + size + hugepage - tail);
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // a hint; refused where unsupported
    return reinterpret_cast<void*>(aligned);
}

}  // namespace untouched

template <typename Element>
struct t_UntouchedAllocator {
    using value_type = Element;

    t_UntouchedAllocator() = default;
    template <typename Other>
    t_UntouchedAllocator(const t_UntouchedAllocator<Other>& /*other*/) noexcept {}

    // calloc below 2 MB: zeroed, and for a block of some size taken straight from fresh pages.
    Element* allocate(size_t count) {
        if (count > (SIZE_MAX >> 1) / sizeof(Element)) throw std::bad_alloc();  // no size may wrap when rounded up
        if (untouched::mapped(count * sizeof(Element)))
            return static_cast<Element*>(untouched::maphuge(count * sizeof(Element)));
        void* memory = std::calloc(count, sizeof(Element));
        if (memory == nullptr) throw std::bad_alloc();
        return static_cast<Element*>(memory);
    }
    void deallocate(Element* memory, size_t count) noexcept {
        if (untouched::mapped(count * sizeof(Element))) ::munmap(memory, untouched::mappedsize(count * sizeof(Element)));
        else std::free(memory);
    }

    // Growing without a value writes nothing: the element keeps what it came with (a zero, or
    // the pixel a picture had before, which the next conversion writes over).
    template <typename Other>
    void construct(Other* place) noexcept {
        ::new (static_cast<void*>(place)) Other;
    }
    template <typename Other, typename... Arguments>
    void construct(Other* place, Arguments&&... arguments) {
        ::new (static_cast<void*>(place)) Other(std::forward<Arguments>(arguments)...);
    }

    friend bool operator==(const t_UntouchedAllocator&, const t_UntouchedAllocator&) noexcept { return true; }
};
