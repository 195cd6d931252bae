// Where a window's text cells lie: the character plane and, half a text block further, the
// colour plane. Internal to the text screen; the caller holds the framework lock.
#pragma once

#include <cstdint>

#include "core/framework_state.h"
#include "core/window_record.h"

// Offset of the colour plane from the character plane.
inline int64_t textplanehalf(const t_Window& record) {
    return (record.TextMemoryEnd - record.TextMemoryStart + 1) / 2;
}

// Index of cell (x, y) in each plane, or -1 when the cell lies outside the screen or outside
// the window's text block (a font installed later may cover more cells than were reserved).
inline int64_t textcellindex(const t_Window& record, int64_t x, int64_t y) {
    if (record.TextMemoryStart < 0 || x < 1 || y < 1 || x > record.TextWidth || y > record.TextHeight) return -1;
    const int64_t index = (y - 1) * record.TextWidth + (x - 1);
    const int64_t half = textplanehalf(record);
    if (index >= half) return -1;
    if (record.TextMemoryStart + half + index >= static_cast<int64_t>(framework.videomemory.size())) return -1;
    return index;
}

inline uint8_t* textcharacterplane(const t_Window& record) {
    return framework.videomemory.data() + record.TextMemoryStart;
}

inline uint8_t* textcolourplane(const t_Window& record) {
    return framework.videomemory.data() + record.TextMemoryStart + textplanehalf(record);
}

// The recorded character and colour of a cell; a space in colour 0 outside the text memory.
inline uint8_t recordedcharacter(const t_Window& record, int64_t x, int64_t y) {
    const int64_t index = textcellindex(record, x, y);
    return index < 0 ? 32 : textcharacterplane(record)[index];
}

inline uint8_t recordedcolour(const t_Window& record, int64_t x, int64_t y) {
    const int64_t index = textcellindex(record, x, y);
    return index < 0 ? 0 : textcolourplane(record)[index];
}

#include <string>

// The UTF-8 form of a character code taken as the Unicode scalar of the same value.
inline std::string codeasutf8(uint8_t code) {
    std::string text;
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
    return text;
}
