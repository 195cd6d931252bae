// t_InputNumber: a line input that asks again until the line is a decimal number.
#include <string>

#include <stangenspiel/stangenspiel.h>

#include "text/line_input.h"

namespace {
// The framework's own answer to a line that is no number, in the program's language.
constexpr const char* notanumber = "(Bitte eine Zahl eingeben)";
}  // namespace

double t_InputNumber(uint8_t window, int64_t maxCharacters) {
    for (;;) {
        const t_LineRead line = readinputline("t_InputNumber", window, maxCharacters, numbermode);
        if (!line.Entered) return 0;
        double value = 0;
        if (stringtonumber(line.Text, value)) return value;
        t_PrintLine(window, notanumber);
    }
}
