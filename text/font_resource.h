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
