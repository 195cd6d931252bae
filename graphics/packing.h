// Packing of one-bit and four-bit pixels into bits and nibbles, row by row, and unpacking.
#pragma once

#include <cstdint>
#include <vector>

// Rows of `width` values; 8 to a byte, the leftmost in bit 7, a bit set for every value that is
// not 0; each row starts a new byte. Data that ends inside a row still gets its last byte
// (with the line "binarybooltopackedbool: Appending one Byte = n").
std::vector<uint8_t> binarybooltopackedbool(const std::vector<uint8_t>& data, int64_t width);
// Rows of `width` values; 2 to a byte, the first in the high nibble; an odd row ends with a
// byte whose low nibble is 0. A lone last value that is not at a row end is dropped.
std::vector<uint8_t> binarynibbletopackednibble(const std::vector<uint8_t>& data, int64_t width);

// The inverses for a whole picture of width x height: a set bit becomes 15, a clear bit 0.
// Both answer an empty array when the data is not exactly the packed size of the picture.
std::vector<uint8_t> packedbooltobinarybool(const std::vector<uint8_t>& data, int64_t width, int64_t height);
std::vector<uint8_t> packednibbletobinarynibble(const std::vector<uint8_t>& data, int64_t width, int64_t height);

int64_t packedboolrowbytes(int64_t width);    // bytes per packed one-bit row, 0 for width < 1
int64_t packednibblerowbytes(int64_t width);  // bytes per packed four-bit row, 0 for width < 1
