// Waiting for a window's next picture: t_WaitRefresh and the hook the view path calls.
#pragma once

#include <cstdint>

// Every time a view takes a window's picture to the screen, converted anew or not: GUI thread,
// framework lock held (the program cannot draw between the count and the copy).
void notepictureshown(int window);
uint64_t picturesshown(uint8_t window);  // pictures the window's view has taken so far
