// The drawing colour and the border colour of a graphic window.
#pragma once

#include <cstdint>

void t_Color(uint8_t window, int64_t index);        // drawing colour = palette entry
void t_ColorBorder(uint8_t window, int64_t index);  // border colour = palette entry
