// Text areas, header lines and screen read-back.
#pragma once

#include <cstdint>

void t_FullArea(uint8_t window);  // the text area becomes the whole text screen
