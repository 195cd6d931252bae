// Window-level operations: they act on the host window of any number 0-12 (8 pasteboard,
// 9 printer, 10 console, 11 preferences, 12 main window) and print "op: Window does not exist."
// for a number without one.
#pragma once

#include <cstdint>
#include <string>

int64_t t_WindowPos(uint8_t window, int64_t selector);  // geometry value 0-20; 0 for other selectors
// Sizes the host window around a drawing area of width x height with its lower-left corner at
// (x, y); -1 keeps the current value of an argument.
void t_WindowSize(uint8_t window, int64_t x, int64_t y, int64_t width, int64_t height);
std::string t_WindowTitle(uint8_t window);                       // "" without a host window
void t_WindowTitle(uint8_t window, const std::string& title);    // from another thread: queued, no wait
void t_WindowTitleVisible(uint8_t window, bool visible);         // title bar on or off; size unchanged
void t_WindowVisible(uint8_t window, bool visible);              // shows (to the front) or hides
void t_WindowFront(uint8_t window);                              // shows it and makes it the key window
void t_WindowCenter(uint8_t window);                             // centres it on its screen
