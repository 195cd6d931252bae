// An allocator that leaves the memory of a growing vector as the system hands it over: a large
// fresh block comes as untouched zero pages, so 16 MB of video memory costs no page fault until
// a part of it is used.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

template <typename Element>
struct t_UntouchedAllocator {
    using value_type = Element;

    t_UntouchedAllocator() = default;
    template <typename Other>
    t_UntouchedAllocator(const t_UntouchedAllocator<Other>& /*other*/) noexcept {}

    // calloc: zeroed, and for a block of this size taken straight from fresh pages, not written.
    Element* allocate(size_t count) {
        void* memory = std::calloc(count, sizeof(Element));
        if (memory == nullptr) throw std::bad_alloc();
        return static_cast<Element*>(memory);
    }
    void deallocate(Element* memory, size_t /*count*/) noexcept { std::free(memory); }

    // Growing without a value writes nothing: the element keeps the zero it came with.
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
