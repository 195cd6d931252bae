#include "recording/changed_box.h"

#include <cstring>

namespace {

bool rowdiffers(const uint32_t* before, const uint32_t* after, int64_t width, int64_t row) {
    return std::memcmp(before + row * width, after + row * width, static_cast<size_t>(width) * 4) != 0;
}

}  // namespace

t_Box changedbox(const uint32_t* before, const uint32_t* after, int64_t width, int64_t height) {
    int64_t top = 0;
    while (top < height && !rowdiffers(before, after, width, top)) ++top;
    if (top == height) return {};
    int64_t bottom = height - 1;
    while (!rowdiffers(before, after, width, bottom)) --bottom;
    // Each row only needs looking at outside the columns already known to differ.
    int64_t left = width, right = -1;
    for (int64_t y = top; y <= bottom; ++y) {
        const uint32_t* b = before + y * width;
        const uint32_t* a = after + y * width;
        for (int64_t x = 0; x < left; ++x)
            if (a[x] != b[x]) {
                left = x;
                break;
            }
        for (int64_t x = width - 1; x > right; --x)
            if (a[x] != b[x]) {
                right = x;
                break;
            }
    }
    return {left, top, right - left + 1, bottom - top + 1};
}
