#include "recording/gif_colors.h"

#include <gif_lib.h>

#include <mutex>
#include <vector>

#include "core/framework_state.h"

namespace {

constexpr size_t slotmask = 4 * gifcolors - 1;

size_t slotof(uint32_t pixel) { return (pixel * 0x9E3779B1u) >> 22; }

// giflib's quantiser keeps its sort axis in a static variable: one quantising at a time, for
// every recording of the process.
std::mutex quantizermutex;

}  // namespace

int findcolor(const t_ColorTable& table, uint32_t pixel) {
    for (size_t slot = slotof(pixel);; slot = (slot + 1) & slotmask) {
        if (table.Keys[slot] == pixel) return table.Slots[slot];
        if (table.Keys[slot] == 0) return -1;
    }
}

int addcolor(t_ColorTable& table, uint32_t pixel) {
    size_t slot = slotof(pixel);
    for (; table.Keys[slot] != 0; slot = (slot + 1) & slotmask)
        if (table.Keys[slot] == pixel) return table.Slots[slot];
    if (table.Count == gifcolors) return -1;
    const int index = table.Count++;
    table.Colors[static_cast<size_t>(index)] = pixel;
    table.Keys[slot] = pixel;
    table.Slots[slot] = static_cast<uint8_t>(index);
    return index;
}

t_ColorTable depthpalette(int64_t depth) {
    t_ColorTable table;
    auto opaque = [](uint32_t r, uint32_t g, uint32_t b) { return 0xFF000000u | r << 16 | g << 8 | b; };
    if (depth == 1) {
        // White is the set bit: a pixel's lowest bit is its index.
        addcolor(table, opaque(0, 0, 0));
        addcolor(table, opaque(255, 255, 255));
    } else if (depth == 4) {
        for (int i = 0; i < 16; ++i) addcolor(table, opaque(palettered[i], palettegreen[i], paletteblue[i]));
    } else if (depth == 8 || depth == 16) {
        // Grey g is index g: a pixel's blue byte is its index.
        for (uint32_t g = 0; g < 256; ++g) addcolor(table, opaque(g, g, g));
    }
    return table;
}

int globaltablesize(int64_t depth) {
    if (depth == 1) return 4;
    if (depth == 4) return 32;
    return gifcolors;
}

bool growingpalette(int64_t depth) { return depth == 24 || depth == 32; }

bool quantizecolors(const uint32_t* pixels, size_t count, int colors, t_ColorTable& table, uint8_t* indices) {
    table.Count = 0;
    if (count == 0) return true;  // the quantiser would read past its table for no pixel at all
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (size_t i = 0; i < count; ++i) {
        red[i] = static_cast<GifByteType>(pixels[i] >> 16);
        green[i] = static_cast<GifByteType>(pixels[i] >> 8);
        blue[i] = static_cast<GifByteType>(pixels[i]);
    }
    std::array<GifColorType, gifcolors> map{};
    int size = colors;
    {
        std::lock_guard<std::mutex> lock(quantizermutex);
        if (GifQuantizeBuffer(static_cast<unsigned>(count), 1, &size, red.data(), green.data(), blue.data(), indices,
                              map.data()) != GIF_OK)
            return false;
    }
    table.Count = size;
    for (int i = 0; i < size; ++i) {
        const GifColorType& c = map[static_cast<size_t>(i)];
        table.Colors[static_cast<size_t>(i)] = 0xFF000000u | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
    }
    return true;
}
