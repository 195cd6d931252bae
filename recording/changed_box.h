// The smallest rectangle that holds every pixel two pictures of one size differ in: what a
// frame of an animation needs to carry.
#pragma once

#include <cstdint>

struct t_Box {
    int64_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool empty() const { return Width <= 0 || Height <= 0; }
    bool operator==(const t_Box&) const = default;
};

// Both pictures hold width x height pixels, rows from the top; the empty box when they are equal.
t_Box changedbox(const uint32_t* before, const uint32_t* after, int64_t width, int64_t height);
