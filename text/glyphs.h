// Glyph rendering: the one place where text reaches the pixels of a window.
#pragma once

#include <cstdint>

// Draws the glyph of character in cell (x, y) blended between the palette colours of
// colour's nibbles (foreground high, exchanged while inverse video is on) and records the
// character and colour in the text memory; the cursor does not move.
void t_PrintSymbol(uint8_t window, uint8_t character, uint8_t colour, int64_t x, int64_t y);
