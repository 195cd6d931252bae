// An allocator that leaves the memory of a growing vector as the system hands it over: a large
// fresh block comes as untouched zero pages, so 16 MB of video memory costs no page fault until
// a part of it is used. The pages stay small on purpose: on a virtual machine the first touch of
// a 2 MB page can cost milliseconds (the host backs it piece by piece), which made start-up
// slow one launch in three, and a 4 KB page is only paid for where a window is drawn on.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

namespace untouched {

// Below this a block comes from calloc: mapping and unmapping would cost more than it spares.
constexpr size_t mappedfrom = size_t{2} << 20;

// Under AddressSanitizer every block comes from calloc, which keeps the sanitizer's guard bytes
// around it: a write past the video memory is reported, not just a fault on the next page.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool mapsown = false;
#else
constexpr bool mapsown = true;
#endif

inline bool mapped(size_t bytes) { return mapsown && bytes >= mappedfrom; }

constexpr size_t smallpage = 4096;

inline size_t mappedsize(size_t bytes) { return (bytes + smallpage - 1) & ~(smallpage - 1); }

// Zeroed, untouched memory.
inline void* map(size_t bytes) {
    void* region = ::mmap(nullptr, mappedsize(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) throw std::bad_alloc();
    return region;
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
            return static_cast<Element*>(untouched::map(count * sizeof(Element)));
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
