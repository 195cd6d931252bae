// Bitmap fonts from ".font" resource files: a 16-byte big-endian header ("mxfn"), then glyph
// data, raw (format 0, 2) or LZW coded (100, 102). Glyph k lies at k x Width x Height in Data.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>

#include "core/window_record.h"

// Most glyph bytes a font can hold: 256 glyphs of 255 x 255. Coded data that would decode to
// more is refused like an invalid code (the font loads with empty Data).
constexpr uint64_t largestfontdata = 256ull * 255 * 255;

// Formats 100 and 102 decoded to 0 and 2 (empty Data for invalid codes); others unchanged.
t_Font unpackfont(const t_Font& font);

// The largest glyph cell side: no drawing area is wider or higher, and with sides up to it every
// product of a cell's sides with a character code, a column or a line stays far within 64 bits.
constexpr int64_t largestglyphside = 8192;
// Whether a window can draw the font: no glyph data (no font at all), or cells of 0 to
// largestglyphside pixels a side (a cell of no size draws nothing). A file's cell always can.
bool drawablefont(const t_Font& font);
std::string fontcell(const t_Font& font);  // "W x H pixel", for the refusal lines
