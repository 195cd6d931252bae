// The colours of a recording: colour tables with a lookup from colour to index, the palette each
// depth starts with, and median-cut quantising for pictures with more colours than a GIF holds.
// Colours are pixels 0xFFRRGGBB, as window pictures hold them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int gifcolors = 256;  // the most a GIF colour table holds

struct t_ColorTable {
    std::array<uint32_t, gifcolors> Colors{};  // entry i is the colour of index i
    int Count = 0;                             // entries in use
    // Open addressing, four slots per entry so that probes stay short; a key of 0 is a free
    // slot (every pixel is opaque, so no colour is 0).
    std::array<uint32_t, 4 * gifcolors> Keys{};
    std::array<uint8_t, 4 * gifcolors> Slots{};
};

int findcolor(const t_ColorTable& table, uint32_t pixel);  // its index, -1 when it is not there
int addcolor(t_ColorTable& table, uint32_t pixel);         // its index, new or old; -1 when full

// The palette a recording starts with, exact for every picture of its depth: black and white
// at 1 bit, the 16 palette colours at 4, the grey ramp at 8 and 16 (their pictures are grey);
// at 24 and 32 none yet: the table grows with the colours the frames bring.
t_ColorTable depthpalette(int64_t depth);
// Entries in the file's global colour table: a power of two. Depths 1 and 4 get spare entries,
// so that a frame always has an index left to stand for "unchanged" (a frame that uses fewer
// colours takes an unused one and keeps its codes short).
int globaltablesize(int64_t depth);
bool growingpalette(int64_t depth);

// Median cut (giflib's own quantiser) of count pixels to at most `colors` colours: fills the
// table's Colors and Count (not its lookup) and one index per pixel. False when out of memory.
bool quantizecolors(const uint32_t* pixels, size_t count, int colors, t_ColorTable& table, uint8_t* indices);
