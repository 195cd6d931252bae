// Pixels of a graphic window: layout per bit depth, plotting, lines and reading pixels back.
// Depth 1: 8 pixels a byte, leftmost in bit 7. Depth 4: 2 palette indices a byte, even x high.
// Depth 8: grey. Depth 16: alpha, grey. Depth 24: R, G, B. Depth 32: A, R, G, B. Rows from the
// top with no padding, from the window's MemoryStart.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>

#include "core/window_record.h"

// --- for the framework's own pixel code (the caller holds the framework lock) -----------------
bool supportedbitdepth(int64_t depth);                    // 1, 4, 8, 16, 24 or 32
int64_t graphicrowbytes(int64_t depth, int64_t width);   // bytes of one pixel row
// The record's pixels lie wholly inside its own block and the video memory, in a layout the
// depth allows (whole bytes per row); only then may pixel code touch them.
bool graphicmemoryvalid(const t_Window& w);
