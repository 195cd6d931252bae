// Mouse events from the graphic views and the close box.
#pragma once

#include <cstdint>

void t_MouseEventPostCloseBoxClick(uint8_t window);  // hides the window, queues nothing else
