// Text colours and inverse video.
#pragma once

#include <cstdint>

void t_Inverse(uint8_t window);  // inverse video on: colours are drawn and recorded exchanged
void t_Normal(uint8_t window);   // inverse video off
void t_Reverse(uint8_t window);  // inverse video toggled
// Redraws the cells of columns x1-x2, lines y1-y2 with their recorded colours exchanged and
// records the exchange, so a second call restores them; a rectangle off the screen does nothing.
void t_InvertRect(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
