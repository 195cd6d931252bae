// The drawing colour and the border colour of a graphic window.
#pragma once

#include <cstdint>

// Foreground nibble of TextColor and the drawing colour RGBColor = palette entry (index & 15).
void t_Color(uint8_t window, int64_t index);
// RGBColorBorder = palette entry (index & 15); the host window's background shows it at once.
void t_ColorBorder(uint8_t window, int64_t index);
