// Bitmap fonts from ".font" resource files: a 16-byte big-endian header ("mxfn"), then glyph
// data, raw (format 0, 2) or LZW coded (100, 102). Glyph k lies at k x Width x Height in Data.
#pragma once

#include <cstdint>
#include <string>

#include "core/window_record.h"

// Most glyph bytes a font can hold: 256 glyphs of 255 x 255. Coded data that would decode to
// more is refused like an invalid code (the font loads with empty Data).
constexpr uint64_t largestfontdata = 256ull * 255 * 255;

// Loads the named file from the resource folder (an absolute path is taken as it is) and
// unpacks it. Never fails outright: after its one message the font has empty Data. A file
// longer than any font can be (header plus largestfontdata) is not read: "Could not load file".
t_Font t_LoadFontResource(const std::string& name);
// Installs a copy of font as the window's text font; text memory and pixels stay as they are.
void t_WindowFont(uint8_t window, const t_Font& font);

// Formats 100 and 102 decoded to 0 and 2 (empty Data for invalid codes); others unchanged.
t_Font unpackfont(const t_Font& font);
