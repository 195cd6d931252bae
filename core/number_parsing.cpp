// stringtonumber: the strict decimal parse behind the number input, for programs' own input.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include <stangenspiel/stangenspiel.h>

namespace {

size_t skipdigits(const std::string& text, size_t i) {
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i;
}

// Where the number's text ends, or npos when it is not a decimal number:
// [+-] (digits [. digits] | . digits) [(e|E) [+-] digits].
size_t numberend(const std::string& text, size_t i) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t whole = i;
    i = skipdigits(text, i);
    bool digits = i > whole;
    if (i < text.size() && text[i] == '.') {
        const size_t fraction = ++i;
        i = skipdigits(text, i);
        digits = digits || i > fraction;
    }
    if (!digits) return std::string::npos;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const size_t exponent = i;
        i = skipdigits(text, i);
        if (i == exponent) return std::string::npos;
    }
    return i;
}

}  // namespace

bool stringtonumber(const std::string& text, double& value) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    if (numberend(text, first) != last) return false;
    // from_chars knows no plus sign; the grammar above has already ruled out its other forms
    // (hexadecimal, "inf", "nan").
    if (text[first] == '+') ++first;
    double parsed = 0;
    const auto [end, error] = std::from_chars(text.data() + first, text.data() + last, parsed);
    if (error != std::errc() || end != text.data() + last || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}
