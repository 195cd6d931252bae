// Line input: the editing loop behind t_InputLine and t_InputNumber.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What one line input ended with.
struct t_LineRead {
    bool Entered = false;  // ended by Return; false after a refused window or the application's end
    std::string Text;      // UTF-8, each character code as the Unicode scalar of its value
};

// InputMode while a line input runs, so that a program watching the record knows which one.
constexpr int64_t linemode = 1;
constexpr int64_t numbermode = 2;

// Reads one line at the window's cursor; `operation` names the call in the window check's line.
t_LineRead readinputline(std::string_view operation, uint8_t window, int64_t maxCharacters, int64_t mode);
