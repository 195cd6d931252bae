// Pictures as PNG: a t_Graphic or a window out, a PNG into a t_Graphic or a window.
// A PNG shows what the window shows: opaque, the pixels' own alpha left out (as on screen).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/graphic_record.h"

// The PNG bytes of a picture in any format (coded ones are decoded first); empty after one
// line for a picture that does not decode or has no pixels.
std::vector<uint8_t> g_GraphicToPNG(const t_Graphic& graphic);
// A PNG as an RGB picture (format 3), or ARGB (format 5) when it has transparent pixels; the
// empty record after "g_PNGToGraphic: ..." for bytes that are not a readable PNG.
t_Graphic g_PNGToGraphic(const std::vector<uint8_t>& png);

int64_t g_WritePNGFile(const std::string& path, const t_Graphic& graphic);  // 0, or an error after its line
t_Graphic g_ReadPNGFile(const std::string& path);                          // the empty record on failure
int64_t g_SavePNG(uint8_t window, const std::string& path);  // the window's picture; nothing written on failure
void g_LoadPNG(uint8_t window, const std::string& path, int64_t x, int64_t y);  // drawn as g_PutScreen draws
