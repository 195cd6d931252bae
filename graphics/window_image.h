// The picture of a graphic window as 32-bit pixels, built afresh from video memory each time.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/untouched_allocator.h"
#include "host/host.h"

// Pixels are 0xAARRGGBB words (alpha always 255), rows from the top, Width x Height of them.
struct t_Image {
    int64_t Width = 0;
    int64_t Height = 0;
    std::vector<uint32_t, t_UntouchedAllocator<uint32_t>> Pixels;  // resized without a fill: converted over
};

// Fills image with the window's picture, reusing its buffer, and records UpdateDuration and
// UpdateFinished (nothing else sets them: they tell a program when a picture was really made).
// With `changed`, an image that already holds the window's picture at its size but for that
// area is brought up to date by converting the area alone. False when the framework is not
// ready, the window is not initialised (with its message) or hidden (silently).
bool t_WindowImage(uint8_t window, t_Image& image, const host::t_PixelArea* changed = nullptr);
// The picture for the clipboard: nothing for a number without a host window or above 7, or
// when t_WindowImage has none.
std::optional<t_Image> t_WindowImageCopy(uint8_t window);
