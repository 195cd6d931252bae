// Taking a window's pixels out of video memory as a t_Graphic, and putting a picture back.
#pragma once

#include <cstdint>

#include "graphics/graphic_record.h"

// The whole window in the unpacked format of its depth (1->0, 4->1, 8->2, 24->3, 16->4, 32->5);
// the empty record after "g_GetScreen: ..." for a window that is not there.
t_Graphic g_GetScreen(uint8_t window);
// The rectangle (x1, y1)-(x2, y2), both corners included; the far corner is clamped to the
// window, a near corner outside it gives "Illegal x-value" / "Illegal y-value" and the empty record.
t_Graphic g_GetScreenRect(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
// Draws a picture in any format (coded ones are decoded first) with its top-left pixel at (x, y),
// replacing the pixels it covers and dropping those outside the window. A picture of the
// window's own depth comes back exactly; another depth is converted (nearest palette colour at
// depth 4, grey >= 128 or a palette index >= 9 sets a pixel at depth 1).
void g_PutScreen(uint8_t window, const t_Graphic& graphic, int64_t x, int64_t y);
