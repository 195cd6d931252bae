// LZW coding with fixed-width codes: no clear code, no end code, a dictionary that grows
// without limit, the code width chosen once after all codes are known. Coded data is stored
// as [width] followed by the codes, each written with width bits, most significant bit first
// across byte boundaries, the last byte filled up with 0 bits. Fonts and graphics share it.
// All functions are pure apart from the coder's progress lines and safe on any thread.
#pragma once

#include <cstdint>
#include <vector>

using t_LZWCode = uint32_t;

struct t_LZWCodes {
    std::vector<t_LZWCode> Codes;
    int64_t Width = 8;  // smallest width >= 8 that holds every code; 0 when the input was refused
};

// Inputs above this many bytes are refused by the coder (their codes would not fit 31 bits).
constexpr uint64_t largestlzwinput = (uint64_t{1} << 31) - 512;

// Codes of data; no codes and width 8 for empty data. Prints "texttolzwunpacked: p% of n Bytes."
// at most once a second on long inputs.
t_LZWCodes texttolzwunpacked(const std::vector<uint8_t>& data);
// The codes as a bit stream (without the width byte); empty for no codes or a width outside 1-32.
std::vector<uint8_t> lzwpackcodes(const std::vector<t_LZWCode>& codes, int64_t width);
// [width] followed by the packed codes: the whole coded form of data; empty when refused.
std::vector<uint8_t> lzwpack(const std::vector<uint8_t>& data);

// The codes of a bit stream (without the width byte); bits that do not fill a code are
// dropped; none for a width outside 1-31 or beyond maxcodes codes.
std::vector<t_LZWCode> lzwunpackcodes(const std::vector<uint8_t>& bits, int64_t width, uint64_t maxcodes);
// Decodes codes into out. False, with out empty, for a code above the next free code or
// an output that would pass maxoutput bytes. No codes decode to nothing.
bool lzwdecodecodes(const std::vector<t_LZWCode>& codes, uint64_t maxoutput, std::vector<uint8_t>& out);
// Decodes the coded form [width] + bit stream straight into out, reading codes as it goes, so
// memory stays within maxoutput plus 4 bytes per dictionary entry. Empty coded data decodes
// to nothing; false (out empty) for a width of 0 or above 31, a code above the next free
// code, or more than maxoutput bytes.
bool lzwunpack(const std::vector<uint8_t>& coded, uint64_t maxoutput, std::vector<uint8_t>& out);
