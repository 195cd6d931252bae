// Text output at the cursor, control characters, display modes and cursor movement.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void t_Print(uint8_t window, const std::string& text);
void t_Print(uint8_t window, const std::vector<uint8_t>& bytes);
void t_Htab(uint8_t window, int64_t column);
void t_DisplayMode(uint8_t window, int64_t mode);
void t_CursorEnd(uint8_t window);
