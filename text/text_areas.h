// Text areas, header lines, output redirection and screen read-back.
#pragma once

#include <cstdint>
#include <string>

// Columns x1-x2 and lines y1-y2 become the area where each pair is valid, then the cursor goes home.
void t_Area(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
void t_FullArea(uint8_t window);  // the text area becomes the whole text screen; the cursor stays
// One line at the cursor: title left, second flush right, cut to the area's width; ends at the
// start of the next line (of the same line in a one-line area) without wrapping or scrolling.
void t_Header(uint8_t window, const std::string& title, const std::string& second);
void t_TextLine(uint8_t window);  // rule (glyph 156) from the cursor to the area's end, then t_Cr
void t_TextHline(uint8_t window, int64_t x1, int64_t x2, int64_t y, uint8_t character);  // cursor stays
void t_RedirectOutput(uint8_t window, int64_t mode);  // 1 window, 2 standard output, else dropped
// The whole character plane as text, each line followed by lineEnd; with lineEnd "\r" trailing
// blanks and empty last lines are removed. "" after a failed window check.
std::string t_GetScreen(uint8_t window, const std::string& lineEnd);
