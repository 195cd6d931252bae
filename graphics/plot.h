// Pixels of a graphic window: layout per bit depth, plotting, lines and reading pixels back.
// Depth 1: 8 pixels a byte, leftmost in bit 7. Depth 4: 2 palette indices a byte, even x high.
// Depth 8: grey. Depth 16: alpha, grey. Depth 24: R, G, B. Depth 32: A, R, G, B. Rows from the
// top with no padding, from the window's MemoryStart.
#pragma once

#include <cstdint>

#include "core/window_record.h"

// Sets one pixel in the drawing colour and DrawingMode; outside the window nothing happens.
void g_Plot(uint8_t window, int64_t x, int64_t y);
// Plots the points of the line from (x1, y1) to (x2, y2), both ends included; the window is
// checked once and points outside it are dropped. Far-away ends cost no more than the window.
void g_Line(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
// Reads a pixel back: g_Scrn(w, x, y) answers a palette index (depths 1, 4, 32; else 0) and
// g_Scrn<t_RGBColor>(w, x, y) its colour (opaque black outside the window or on failure).
template <typename Result = int64_t>
Result g_Scrn(uint8_t window, int64_t x, int64_t y);
template <> int64_t g_Scrn<int64_t>(uint8_t window, int64_t x, int64_t y);
template <> t_RGBColor g_Scrn<t_RGBColor>(uint8_t window, int64_t x, int64_t y);

// --- for the framework's own pixel code (the caller holds the framework lock) -----------------
bool supportedbitdepth(int64_t depth);                    // 1, 4, 8, 16, 24 or 32
int64_t graphicrowbytes(int64_t depth, int64_t width);   // bytes of one pixel row
// The record's pixels lie wholly inside its own block and the video memory, in a layout the
// depth allows (whole bytes per row); only then may pixel code touch them.
bool graphicmemoryvalid(const t_Window& w);
