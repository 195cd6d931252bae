#include "windows/memory_figures.h"

#include <cstdio>

std::string hexaddress(int64_t value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(static_cast<uint64_t>(value) & 0xFFFFFFFFu));
    return digits;
}

std::string kilobytes(int64_t bytes) {
    // Hundredths of a kilobyte, cut toward zero; unsigned so that INT64_MIN has a magnitude too.
    const bool negative = bytes < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(bytes) : static_cast<uint64_t>(bytes);
    const uint64_t whole = magnitude / 1024;
    const uint64_t hundredths = (magnitude % 1024) * 100 / 1024;
    std::string digits = std::to_string(whole);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
        grouped += digits[i];
    }
    char fraction[4];
    std::snprintf(fraction, sizeof fraction, "%02u", static_cast<unsigned>(hundredths));
    return (negative ? "-" : "") + grouped + "," + fraction;
}
