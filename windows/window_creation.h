// Creating the numbered graphic windows and their blocks of video memory.
#pragma once

#include <cstdint>
#include <string>

#include "core/window_record.h"

// Loads the font and creates a window of columns x lines characters with an equal border on
// every side; prints "Font '...' not found." and creates nothing when the font has no glyphs.
void t_InitWindow(uint8_t window, int64_t bitDepth, int64_t columns, int64_t lines, int64_t border,
                  const std::string& fontFileName);
// Creates or re-creates a window of width x height pixels (corrected to 1280 x 800 outside
// 32..8192); a font with empty Data gives a graphic-only window; a negative border is the rest
// of the screen. The window stays hidden until t_WindowVisible or t_WindowFront.
void t_InitGraphicWindow(uint8_t window, int64_t bitDepth, bool autoUpdate, int64_t width, int64_t height,
                         int64_t borderWidth, int64_t borderHeight, const t_Font& font, bool titleVisible);
