#include "windows/memory_figures.h"

#include <cstdio>

#include "core/text_utilities.h"

std::string kilobytes(int64_t bytes) {
    // Hundredths of a kilobyte, cut toward zero; unsigned so that INT64_MIN has a magnitude too.
    const bool negative = bytes < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(bytes) : static_cast<uint64_t>(bytes);
    const uint64_t hundredths = (magnitude % 1024) * 100 / 1024;
    char fraction[4];
    std::snprintf(fraction, sizeof fraction, "%02u", static_cast<unsigned>(hundredths));
    return (negative ? "-" : "") + intformat(static_cast<int64_t>(magnitude / 1024), U' ', 1, true) + "," + fraction;
}
