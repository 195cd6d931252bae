// Mouse events from the graphic views and the close box.
#pragma once

#include <cstdint>

// A click at (x, y) in the host window (origin at the lower left): queues a mouse event for an
// initialised graphic window with its position in the graphic area (-1 before it, -2 beyond
// it), logs the click and starts the program's mouse handler on a background thread.
void t_MouseEventHandler(uint8_t window, double x, double y, int64_t buttonmask, int64_t modifiers);
void t_MouseEventPostCloseBoxClick(uint8_t window);  // hides the window, queues nothing else

// GUI thread: whether a view event of this window is delivered. A window that is not initialised
// gets "<operation>: Graphic window (n) not initialized."; one that ignores events gets nothing.
bool viewdelivers(const char* operation, int window);
